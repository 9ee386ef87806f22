// The installer's question on uninstalling: does the user's chosen screen saver still name the
// file this installation put there? Only then does the choice go with the file.
#include "saver_selection.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::vector<std::wstring> kOurs{
    L"C:\\Users\\Anna Nowak\\AppData\\Local\\Programs\\Orvanta\\orvanta.scr",
    L"C:\\Users\\ANNANO~1\\AppData\\Local\\Programs\\Orvanta\\orvanta.scr"};

TEST(SaverSelection, EitherFormOfOurPathInAnySpellingNamesOurFile) {
  for (const wchar_t* chosen : {
           L"C:\\Users\\ANNANO~1\\AppData\\Local\\Programs\\Orvanta\\orvanta.scr",
           L"C:\\Users\\Anna Nowak\\AppData\\Local\\Programs\\Orvanta\\orvanta.scr",
           L"c:\\users\\annano~1\\appdata\\local\\programs\\orvanta\\ORVANTA.SCR",
           L"\"C:\\Users\\Anna Nowak\\AppData\\Local\\Programs\\Orvanta\\orvanta.scr\"",
           L"  C:\\Users\\ANNANO~1\\AppData\\Local\\Programs\\Orvanta\\orvanta.scr\r\n",
           L"C:/Users/ANNANO~1/AppData/Local/Programs/Orvanta/orvanta.scr",
       }) {
    EXPECT_TRUE(SelectionNamesSaver(chosen, kOurs)) << std::wstring(chosen).size();
  }
}

TEST(SaverSelection, AnotherSaverOrNoChoiceIsLeftAlone) {
  for (const wchar_t* chosen : {
           L"C:\\Windows\\System32\\Mystery.scr",
           L"C:\\Windows\\System32\\orvanta.scr",
           L"C:\\Users\\ANNANO~1\\AppData\\Local\\Programs\\Orvanta\\orvanta.scr.old",
           L"C:\\Users\\ANNANO~1\\AppData\\Local\\Programs\\Orvanta\\orvanta.sc",
           L"\"\"",
           L"",
       }) {
    EXPECT_FALSE(SelectionNamesSaver(chosen, kOurs)) << std::wstring(chosen).size();
  }
  EXPECT_FALSE(SelectionNamesSaver(L"", {L""}));
  EXPECT_FALSE(SelectionNamesSaver(kOurs[0], {}));
}

}  // namespace
