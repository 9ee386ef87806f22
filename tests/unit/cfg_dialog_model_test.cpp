// The configuration dialog's model, driven through a fake view and a fake save.
#include "config/cfg_dialog_model.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Labels = std::vector<std::string>;

// Remembers what the model asked of the window.
class FakeView : public CfgDialogView {
 public:
  std::map<CfgControl, int32_t> Sliders;
  std::vector<CfgControl> LabelUpdates;
  std::vector<std::string> Messages;  // "title|text"
  std::vector<std::string> Opened;
  int Closes = 0;

  void ShowSliderPosition(CfgControl slider, int32_t position) override {
    Sliders[slider] = position;
  }
  void ShowLabelText(CfgControl label, const std::string&) override {
    LabelUpdates.push_back(label);
  }
  void ShowMessage(const std::string& text, std::string_view title, CfgMessageIcon icon) override {
    EXPECT_EQ(icon, CfgMessageIcon::Error);
    Messages.push_back(std::string(title) + "|" + text);
  }
  void OpenAddress(std::string_view address) override { Opened.emplace_back(address); }
  void CloseDialog() override { ++Closes; }
};

// An opened dialog over a fake view whose save records what it was given, or throws.
struct Dialog {
  explicit Dialog(Settings settings)
      : Form(View, settings, [this](const Settings& positions) {
          if (SaveError) throw std::runtime_error(*SaveError);
          Saved.push_back({positions.MeteorCount, positions.SmokeCount, positions.ExplosionCount,
                           positions.LightCount});
        }) {
    Form.FormCreate();
  }

  Labels Shown() const {
    return {Form.LabelText(CfgControl::LabIlegwiazd), Form.LabelText(CfgControl::Labiledymow),
            Form.LabelText(CfgControl::Labilewybuchow), Form.LabelText(CfgControl::Labileswiatel)};
  }

  FakeView View;
  std::vector<std::vector<int32_t>> Saved;
  std::optional<std::string> SaveError;
  TCfgFrm Form;
};

TEST(DialogOpening, LabelsShowTheSettingsClampedIntoEachRange) {
  EXPECT_EQ(Dialog(kDefaultSettings).Shown(), (Labels{"1500", "1500", "50", "15"}));
  EXPECT_EQ(Dialog({20, 0, -7, INT32_MIN}).Shown(), (Labels{"50", "50", "10", "1"}));
  EXPECT_EQ(Dialog({5000, 2001, 301, INT32_MAX}).Shown(), (Labels{"2000", "2000", "300", "50"}));
  // Settings equal to the sliders' design positions move nothing, yet read right.
  EXPECT_EQ(Dialog({50, 50, 50, 15}).Shown(), (Labels{"50", "50", "50", "15"}));
}

TEST(DialogOpening, TheViewHearsOfEachSliderInOrder) {
  Dialog dialog({100, 200, 30, 4});
  EXPECT_EQ(dialog.View.LabelUpdates,
            (std::vector<CfgControl>{CfgControl::LabIlegwiazd, CfgControl::Labiledymow,
                                     CfgControl::Labilewybuchow, CfgControl::Labileswiatel}));
  EXPECT_EQ(dialog.View.Sliders, (std::map<CfgControl, int32_t>{{CfgControl::trilegwiazd, 100},
                                                                {CfgControl::triledymow, 200},
                                                                {CfgControl::trilewybuchow, 30},
                                                                {CfgControl::trileswiatel, 4}}));
}

TEST(DialogSliders, MovingOneChangesOnlyItsOwnLabelAndClampsAtTheEnds) {
  Dialog dialog(kDefaultSettings);
  dialog.View.LabelUpdates.clear();
  dialog.Form.SetSliderPosition(CfgControl::trilewybuchow, 300);
  EXPECT_EQ(dialog.Shown(), (Labels{"1500", "1500", "300", "15"}));
  EXPECT_EQ(dialog.View.LabelUpdates, std::vector<CfgControl>{CfgControl::Labilewybuchow});

  dialog.Form.SetSliderPosition(CfgControl::trileswiatel, 0);
  EXPECT_EQ(dialog.View.Sliders[CfgControl::trileswiatel], 1);
  EXPECT_EQ(dialog.Shown(), (Labels{"1500", "1500", "300", "1"}));

  // A view echoing the position back does not start another round.
  dialog.View.LabelUpdates.clear();
  dialog.Form.SetSliderPosition(CfgControl::trileswiatel, 1);
  EXPECT_TRUE(dialog.View.LabelUpdates.empty());
  EXPECT_THROW(dialog.Form.SetSliderPosition(CfgControl::BtnZapisz, 5), std::invalid_argument);
}

TEST(DialogButtons, SaveStoresAllFourClampedPositionsThenCloses) {
  Dialog low({20, 60, 11, 2});
  low.Form.SetSliderPosition(CfgControl::triledymow, 1234);
  low.Form.BtnZapiszClick();
  EXPECT_EQ(low.Saved, (std::vector<std::vector<int32_t>>{{50, 1234, 11, 2}}));
  EXPECT_EQ(low.View.Closes, 1);

  Dialog high({5000, 1999, 299, 49});
  high.Form.BtnZapiszClick();
  EXPECT_EQ(high.Saved, (std::vector<std::vector<int32_t>>{{2000, 1999, 299, 49}}));
}

TEST(DialogButtons, AFailedSaveIsReportedAndTheDialogStaysOpen) {
  Dialog dialog(kDefaultSettings);
  dialog.SaveError = "Failed to set data for 'Gwiazd'";
  dialog.Form.BtnZapiszClick();
  EXPECT_EQ(dialog.View.Closes, 0);
  EXPECT_EQ(dialog.View.Messages,
            Labels{"Quorvel orvanta screensaver konfiguracja|Failed to set data for 'Gwiazd'"});
  // The user may try again once the store works.
  dialog.SaveError.reset();
  dialog.Form.BtnZapiszClick();
  EXPECT_EQ(dialog.Saved.size(), 1u);
  EXPECT_EQ(dialog.View.Closes, 1);
}

TEST(DialogButtons, CancelClosesWithoutSavingEvenAfterMoves) {
  Dialog dialog(kDefaultSettings);
  dialog.Form.SetSliderPosition(CfgControl::trilegwiazd, 60);
  dialog.Form.BtnAnulujClick();
  EXPECT_TRUE(dialog.Saved.empty());
  EXPECT_EQ(dialog.View.Closes, 1);
}

TEST(DialogButtons, TheLinkOpensTheAddressItShows) {
  Dialog dialog(kDefaultSettings);
  dialog.Form.Label3Click();
  EXPECT_EQ(dialog.View.Opened, Labels{"https://quorvel-tarnwick.example/"});
  EXPECT_EQ(dialog.View.Closes, 0);
  EXPECT_EQ(CfgControlLayoutOf(CfgControl::Label3).Text,
            "Quorvel Tarnwick Fellworks https://quorvel-tarnwick.example/");
}

TEST(DialogLayout, ControlsFitTheClientAreaAndTabThroughButtonsAndSliders) {
  std::vector<std::string_view> tabOrder(6);
  for (const CfgControlLayout& layout : kCfgControls) {
    EXPECT_LE(layout.Left + layout.Width, kCfgForm.ClientWidth) << layout.Name;
    EXPECT_LE(layout.Top + layout.Height, kCfgForm.ClientHeight) << layout.Name;
    if (layout.TabOrder != kNoTab) tabOrder.at(layout.TabOrder) = layout.Name;
  }
  EXPECT_EQ(tabOrder,
            (std::vector<std::string_view>{"BtnAnuluj", "trilegwiazd", "BtnZapisz", "triledymow",
                                           "trilewybuchow", "trileswiatel"}));
  // Polish letters are UTF-8 bytes ("Ilość świateł/mgieł:"), whatever the source encoding.
  EXPECT_EQ(CfgControlLayoutOf(CfgControl::Label6).Text,
            "Ilo\xC5\x9B\xC4\x87 \xC5\x9Bwiate\xC5\x82/mgie\xC5\x82:");
}

}  // namespace
