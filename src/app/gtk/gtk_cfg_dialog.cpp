// The GTK 3 view of the configuration dialog: a fixed-size black window laid out from the
// model's control table, white 11-pixel text, four sliders and the maker's link.
#include "app/gtk/gtk_cfg_dialog.h"

#include <glib-unix.h>
#include <gtk/gtk.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "app/gtk/gtk_message_box.h"
#include "app/saver_platform.h"
#include "config/cfg_dialog_model.h"

namespace {

std::string Hex(CfgRgb colour) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", colour.Red, colour.Green, colour.Blue);
  return text;
}

// Verdana where installed; a sans face of the same build otherwise.
std::string DialogCss() {
  const std::string font =
      "\"" + std::string(kCfgForm.FontName) + "\", \"DejaVu Sans\", sans-serif";
  const std::string size = std::to_string(kCfgForm.FontHeightPixels) + "px";
  return "window.orvanta-cfg { background-color: " + Hex(kCfgForm.Background) + "; }\n" +
         "window.orvanta-cfg label, window.orvanta-cfg button label { color: " +
         Hex(kCfgForm.FontColour) + "; font-family: " + font + "; font-size: " + size + "; }\n" +
         "window.orvanta-cfg label.link { color: " + Hex(kCfgForm.LinkColour) + "; }\n" +
         "window.orvanta-cfg button { min-height: 0; padding: 0 4px; }\n" +
         "window.orvanta-cfg button label { color: black; }\n" +
         "window.orvanta-cfg scale { padding: 0 4px; }\n" +
         "window.orvanta-cfg scale slider { min-width: " +
         std::to_string(kCfgForm.SliderThumbLength) + "px; border-radius: 0; }\n";
}

class GtkCfgDialog : public CfgDialogView {
 public:
  GtkCfgDialog(Settings& settings, SettingsStore& store)
      : settings_(settings),
        store_(store),
        model_(*this, settings,
               [this](const Settings& positions) { SaveSettings(positions, settings_, store_); }) {}

  void Build() {
    window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(window_), std::string(kCfgForm.Caption).c_str());
    gtk_window_set_resizable(GTK_WINDOW(window_), FALSE);
    gtk_window_set_type_hint(GTK_WINDOW(window_), GDK_WINDOW_TYPE_HINT_DIALOG);
    gtk_widget_set_size_request(window_, kCfgForm.ClientWidth, kCfgForm.ClientHeight);
    gtk_window_move(GTK_WINDOW(window_), kCfgForm.Left, kCfgForm.Top);
    gtk_style_context_add_class(gtk_widget_get_style_context(window_), "orvanta-cfg");
    ApplyCss();
    g_signal_connect(window_, "delete-event", G_CALLBACK(OnDelete), this);

    GtkWidget* fixed = gtk_fixed_new();
    gtk_container_add(GTK_CONTAINER(window_), fixed);
    for (const CfgControlLayout& layout : kCfgControls) {
      GtkWidget* widget = Create(layout);
      gtk_widget_set_size_request(widget, layout.Width, layout.Height);
      gtk_fixed_put(GTK_FIXED(fixed), widget, layout.Left, layout.Top);
      widgets_[layout.Id] = widget;
    }
    SetTabOrder(fixed);
    model_.FormCreate();
    gtk_widget_show_all(window_);
  }

  // SIGTERM, SIGINT and SIGHUP close the dialog as "Anuluj" does; the process ends normally.
  void EndOnTerminationSignals() {
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
      g_unix_signal_add(signal, OnTerminationSignal, this);
  }

  // CfgDialogView
  void ShowSliderPosition(CfgControl slider, int32_t position) override {
    GtkRange* range = GTK_RANGE(widgets_.at(slider));
    if (static_cast<int32_t>(gtk_range_get_value(range)) != position) {
      gtk_range_set_value(range, position);
    }
  }
  void ShowLabelText(CfgControl label, const std::string& text) override {
    gtk_label_set_text(GTK_LABEL(widgets_.at(label)), text.c_str());
  }
  void ShowMessage(const std::string& text, std::string_view title, CfgMessageIcon) override {
    WriteMessageLine(text, title);
    GtkWidget* box = gtk_message_dialog_new(GTK_WINDOW(window_), GTK_DIALOG_MODAL,
                                            GTK_MESSAGE_ERROR, GTK_BUTTONS_OK, "%s", text.c_str());
    gtk_window_set_title(GTK_WINDOW(box), std::string(title).c_str());
    openBox_ = box;
    gtk_dialog_run(GTK_DIALOG(box));
    openBox_ = nullptr;
    gtk_widget_destroy(box);
  }
  void OpenAddress(std::string_view address) override {
    // The desktop's default handler; a failure is not reported.
    gtk_show_uri_on_window(GTK_WINDOW(window_), std::string(address).c_str(), GDK_CURRENT_TIME,
                           nullptr);
  }
  void CloseDialog() override {
    if (window_) gtk_widget_destroy(window_);
    window_ = nullptr;
    gtk_main_quit();
  }

 private:
  GtkWidget* Create(const CfgControlLayout& layout) {
    switch (layout.Kind) {
      case CfgControlKind::Text:
        return Label(std::string(layout.Text), 0.0f);
      case CfgControlKind::ValueLabel:
        return Label(model_.LabelText(layout.Id), 1.0f);
      case CfgControlKind::Link:
        return Link(layout);
      case CfgControlKind::Button:
        return Button(layout);
      case CfgControlKind::Slider:
        return Slider(layout);
    }
    return nullptr;
  }

  static GtkWidget* Label(const std::string& text, float xalign) {
    GtkWidget* label = gtk_label_new(text.c_str());
    gtk_label_set_xalign(GTK_LABEL(label), xalign);
    gtk_label_set_yalign(GTK_LABEL(label), 0.0f);
    return label;
  }

  GtkWidget* Link(const CfgControlLayout& layout) {
    GtkWidget* label = Label(std::string(layout.Text), 0.0f);
    gtk_style_context_add_class(gtk_widget_get_style_context(label), "link");
    PangoAttrList* attributes = pango_attr_list_new();
    pango_attr_list_insert(attributes, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
    gtk_label_set_attributes(GTK_LABEL(label), attributes);
    pango_attr_list_unref(attributes);
    GtkWidget* box = gtk_event_box_new();
    // Its own window, so that the hand cursor covers the link and nothing else.
    gtk_event_box_set_visible_window(GTK_EVENT_BOX(box), TRUE);
    gtk_widget_add_events(box, GDK_BUTTON_RELEASE_MASK);
    gtk_container_add(GTK_CONTAINER(box), label);
    g_signal_connect(box, "realize", G_CALLBACK(OnLinkRealize), nullptr);
    g_signal_connect(box, "button-release-event", G_CALLBACK(OnLinkClick), this);
    return box;
  }

  GtkWidget* Button(const CfgControlLayout& layout) {
    GtkWidget* button = gtk_button_new_with_label(std::string(layout.Text).c_str());
    g_object_set_data(G_OBJECT(button), "control", GINT_TO_POINTER(static_cast<int>(layout.Id)));
    g_signal_connect(button, "clicked", G_CALLBACK(OnButton), this);
    return button;
  }

  GtkWidget* Slider(const CfgControlLayout& layout) {
    GtkWidget* scale = gtk_scale_new_with_range(GTK_ORIENTATION_HORIZONTAL, layout.Min, layout.Max,
                                                kCfgForm.SliderLineStep);
    gtk_range_set_increments(GTK_RANGE(scale), kCfgForm.SliderLineStep, kCfgForm.SliderPageStep);
    gtk_range_set_round_digits(GTK_RANGE(scale), 0);
    gtk_scale_set_draw_value(GTK_SCALE(scale), FALSE);
    gtk_range_set_value(GTK_RANGE(scale), model_.SliderPosition(layout.Id));
    g_object_set_data(G_OBJECT(scale), "control", GINT_TO_POINTER(static_cast<int>(layout.Id)));
    g_signal_connect(scale, "value-changed", G_CALLBACK(OnSliderMoved), this);
    return scale;
  }

  void SetTabOrder(GtkWidget* fixed) {
    std::vector<std::pair<int, GtkWidget*>> order;
    for (const CfgControlLayout& layout : kCfgControls) {
      if (layout.TabOrder != kNoTab) order.emplace_back(layout.TabOrder, widgets_.at(layout.Id));
    }
    std::sort(order.begin(), order.end());
    GList* chain = nullptr;
    for (const auto& entry : order) chain = g_list_append(chain, entry.second);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    gtk_container_set_focus_chain(GTK_CONTAINER(fixed), chain);
#pragma GCC diagnostic pop
    g_list_free(chain);
  }

  static void ApplyCss() {
    GtkCssProvider* provider = gtk_css_provider_new();
    gtk_css_provider_load_from_data(provider, DialogCss().c_str(), -1, nullptr);
    gtk_style_context_add_provider_for_screen(gdk_screen_get_default(),
                                              GTK_STYLE_PROVIDER(provider),
                                              GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    g_object_unref(provider);
  }

  static CfgControl ControlOf(GtkWidget* widget) {
    return static_cast<CfgControl>(GPOINTER_TO_INT(g_object_get_data(G_OBJECT(widget), "control")));
  }

  static void OnSliderMoved(GtkRange* range, gpointer self) {
    auto* dialog = static_cast<GtkCfgDialog*>(self);
    const auto position = static_cast<int32_t>(std::lround(gtk_range_get_value(range)));
    dialog->model_.SetSliderPosition(ControlOf(GTK_WIDGET(range)), position);
  }

  static void OnButton(GtkButton* button, gpointer self) {
    auto* dialog = static_cast<GtkCfgDialog*>(self);
    if (ControlOf(GTK_WIDGET(button)) == CfgControl::BtnZapisz) {
      dialog->model_.BtnZapiszClick();
    } else {
      dialog->model_.BtnAnulujClick();
    }
  }

  static gboolean OnLinkClick(GtkWidget*, GdkEventButton* event, gpointer self) {
    if (event->button == 1) static_cast<GtkCfgDialog*>(self)->model_.Label3Click();
    return TRUE;
  }

  static void OnLinkRealize(GtkWidget* box, gpointer) {
    GdkCursor* hand = gdk_cursor_new_from_name(gtk_widget_get_display(box), "pointer");
    gdk_window_set_cursor(gtk_widget_get_window(box), hand);
    if (hand) g_object_unref(hand);
  }

  // A signal asking the program to end closes the dialog without saving, as "Anuluj" does.
  // An open message box is answered first; the dialog closes once its handler has returned.
  static gboolean OnTerminationSignal(gpointer self) {
    auto* dialog = static_cast<GtkCfgDialog*>(self);
    if (dialog->openBox_) gtk_dialog_response(GTK_DIALOG(dialog->openBox_), GTK_RESPONSE_CLOSE);
    g_idle_add_full(G_PRIORITY_HIGH_IDLE, CloseAsCancelled, self, nullptr);
    return G_SOURCE_CONTINUE;
  }

  static gboolean CloseAsCancelled(gpointer self) {
    auto* dialog = static_cast<GtkCfgDialog*>(self);
    if (dialog->window_) dialog->model_.BtnAnulujClick();
    return G_SOURCE_REMOVE;
  }

  // The close button closes without saving, as "Anuluj" does.
  static gboolean OnDelete(GtkWidget*, GdkEvent*, gpointer self) {
    static_cast<GtkCfgDialog*>(self)->model_.BtnAnulujClick();
    return TRUE;
  }

  Settings& settings_;
  SettingsStore& store_;
  TCfgFrm model_;
  GtkWidget* window_ = nullptr;
  GtkWidget* openBox_ = nullptr;
  std::map<CfgControl, GtkWidget*> widgets_;
};

}  // namespace

void RunConfigurationDialog(Settings& settings, SettingsStore& store, const std::string& title) {
  g_set_application_name(title.c_str());
  GtkCfgDialog dialog(settings, store);
  dialog.Build();
  dialog.EndOnTerminationSignals();
  gtk_main();
}
