// SPDX-License-Identifier: MIT
#include "ViewContract.h"

#include <string>
#include <vector>

namespace {

// Records every event, with how deeply it was nested in other events and
// what the view showed at that moment; tests add reactions to events.
class Recorder final : public ViewEvents {
 public:
  explicit Recorder(View& v) : view(v) { view.SetEvents(this); }
  ~Recorder() { view.SetEvents(nullptr); }

  View& view;
  std::vector<std::string> log;
  int depth = 0;
  std::function<void(int16_t)> onChange;
  std::function<int16_t(int16_t, int16_t)> onKey;

  void TextChanged(int16_t row) override {
    log.push_back("change " + std::to_string(row) + " len " + std::to_string(view.GetText(row).size()));
    ++depth;
    if (onChange) onChange(row);
    --depth;
    log.push_back("end change " + std::to_string(row));
  }
  void KeyPress(int16_t row, int16_t& key) override {
    log.push_back("key " + std::to_string(row) + " " + std::to_string(key));
    if (onKey) key = onKey(row, key);
  }
  void ButtonClicked(Buttons array, int16_t index) override {
    log.push_back("click " + std::to_string(static_cast<int>(array)) + " " + std::to_string(index));
  }
  void TextOffered(int16_t row, const std::u16string& text) override {
    log.push_back("offer " + std::to_string(row) + " len " + std::to_string(text.size()));
  }
  void OptionClicked(Options array, int16_t index) override {
    const bool chosen = view.IsSelected(array, index);
    log.push_back("option " + std::to_string(static_cast<int>(array)) + " " + std::to_string(index) +
                  (chosen ? " chosen" : " not chosen"));
  }
};

using Log = std::vector<std::string>;

TEST_P(ViewContract, SetTextRunsTheChangeHandlerInsideTheCall) {
  View& view = harness->view();
  Recorder r(view);
  view.SetText(kRowHex, u"1F");
  EXPECT_EQ(r.log, (Log{"change 1 len 2", "end change 1"}));
  EXPECT_EQ(view.GetText(kRowHex), u"1F");

  r.log.clear();
  view.SetText(kRowHex, u"1F");  // the same text is no change
  EXPECT_TRUE(r.log.empty());

  view.SetText(kRowHex, u"");
  EXPECT_EQ(r.log, (Log{"change 1 len 0", "end change 1"}));
}

TEST_P(ViewContract, ChangesNestInsideChanges) {
  View& view = harness->view();
  Recorder r(view);
  // Writing a box from a change handler runs that box's handler nested.
  r.onChange = [&](int16_t row) {
    if (row == kRowDec) view.SetText(kRowBin, u"101");
    if (row == kRowBin) view.Select(Options::Type, 2);
  };
  view.SetText(kRowDec, u"5");
  EXPECT_EQ(r.log,
            (Log{"change 0 len 1", "change 2 len 3", "option 0 2 chosen", "end change 2", "end change 0"}));
  EXPECT_EQ(view.GetText(kRowBin), u"101");
}

TEST_P(ViewContract, SelectClearsTheGroupAndClicksOnce) {
  View& view = harness->view();
  Recorder r(view);
  view.Select(Options::Type, 3);
  view.Select(Options::Display, 1);
  view.Select(Options::Type, 1);
  EXPECT_EQ(r.log, (Log{"option 0 3 chosen", "option 1 1 chosen", "option 0 1 chosen"}));
  const bool expected[] = {false, true, false, false};
  for (int16_t i = 0; i < kTypeCount; ++i) EXPECT_EQ(view.IsSelected(Options::Type, i), expected[i]) << i;
  EXPECT_TRUE(view.IsSelected(Options::Display, 1));
  EXPECT_FALSE(view.IsSelected(Options::Display, 0));

  r.log.clear();
  view.Select(Options::Type, 1);  // choosing it again is a choice too
  EXPECT_EQ(r.log, (Log{"option 0 1 chosen"}));
}

TEST_P(ViewContract, UserChoiceRunsTheClickHandlerOnce) {
  View& view = harness->view();
  Recorder r(view);
  harness->ClickOption(Options::Display, 1);
  harness->ClickOption(Options::Type, 2);
  EXPECT_EQ(r.log, (Log{"option 1 1 chosen", "option 0 2 chosen"}));
  EXPECT_TRUE(view.IsSelected(Options::Type, 2));
}

TEST_P(ViewContract, EnabledStateAndCounts) {
  View& view = harness->view();
  EXPECT_EQ(view.Count(Buttons::Update), 3);
  EXPECT_EQ(view.Count(Buttons::Copy), 4);
  EXPECT_EQ(view.Count(Buttons::Paste), 3);
  for (Buttons array : {Buttons::Update, Buttons::Copy, Buttons::Paste}) {
    for (int16_t i = 0; i < view.Count(array); ++i) {
      view.SetEnabled(array, i, false);
      EXPECT_FALSE(harness->IsEnabled(array, i));
      view.SetEnabled(array, i, true);
      EXPECT_TRUE(harness->IsEnabled(array, i));
    }
  }
}

TEST_P(ViewContract, ButtonClicksCarryTheirIndex) {
  View& view = harness->view();
  Recorder r(view);
  for (const Buttons array : {Buttons::Copy, Buttons::Paste, Buttons::Update}) {
    for (int16_t i = 0; i < view.Count(array); ++i) view.SetEnabled(array, i, true);
  }
  EXPECT_TRUE(harness->ClickButton(Buttons::Copy, 3));
  EXPECT_TRUE(harness->ClickButton(Buttons::Paste, 1));
  EXPECT_TRUE(harness->ClickButton(Buttons::Update, 2));
  view.SetEnabled(Buttons::Update, 0, false);
  EXPECT_FALSE(harness->ClickButton(Buttons::Update, 0));
  EXPECT_EQ(r.log, (Log{"click 1 3", "click 2 1", "click 0 2"}));
}

TEST_P(ViewContract, FocusGoesOnlyToEnabledButtons) {
  View& view = harness->view();
  harness->FocusBox(kRowHex);
  view.SetEnabled(Buttons::Update, 1, false);
  view.SetFocus(Buttons::Update, 1);
  EXPECT_TRUE(harness->BoxHasFocus(kRowHex));
  view.SetEnabled(Buttons::Update, 1, true);
  view.SetFocus(Buttons::Update, 1);
  EXPECT_TRUE(harness->ButtonHasFocus(Buttons::Update, 1));
  EXPECT_FALSE(harness->BoxHasFocus(kRowHex));
}

TEST_P(ViewContract, TypedKeysPassTheKeyPressHandler) {
  View& view = harness->view();
  Recorder r(view);
  r.onKey = [](int16_t, int16_t key) -> int16_t {
    if (key == 'x') return 0;    // discarded
    if (key == 'a') return 'A';  // replaced
    return key;
  };
  harness->TypeKey(kRowHex, u'1');
  harness->TypeKey(kRowHex, u'x');
  harness->TypeKey(kRowHex, u'a');
  EXPECT_EQ(view.GetText(kRowHex), u"1A");
  EXPECT_EQ(r.log, (Log{"key 1 49", "change 1 len 1", "end change 1", "key 1 120", "key 1 97",
                        "change 1 len 2", "end change 1"}));
  r.log.clear();
  harness->TypeKey(kRowHex, u'\r');  // Enter inserts nothing
  harness->TypeKey(kRowHex, u'\b');
  EXPECT_EQ(view.GetText(kRowHex), u"1");
  EXPECT_EQ(r.log, (Log{"key 1 13", "key 1 8", "change 1 len 1", "end change 1"}));
}

TEST_P(ViewContract, DescriptionsLastUntilTheTextChanges) {
  View& view = harness->view();
  view.SetText(kRowDec, u"4.294967E+09");
  view.SetDescription(kRowDec, u"exactly 4294967295");
  EXPECT_EQ(harness->Description(kRowDec), u"exactly 4294967295");
  view.SetText(kRowDec, u"4.294967E+09");  // no change, the note stays
  EXPECT_EQ(harness->Description(kRowDec), u"exactly 4294967295");
  harness->TypeKey(kRowDec, u'1');
  EXPECT_EQ(harness->Description(kRowDec), u"");
  view.SetDescription(kRowHex, u"note");
  view.SetText(kRowHex, u"1");
  EXPECT_EQ(harness->Description(kRowHex), u"");
  view.SetDescription(kRowBin, u"note");
  view.SetDescription(kRowBin, u"");
  EXPECT_EQ(harness->Description(kRowBin), u"");
}

TEST_P(ViewContract, AnnouncementsAreToldAndShowNothing) {
  View& view = harness->view();
  Recorder r(view);
  view.SetText(kRowDec, u"255");
  view.SetDescription(kRowDec, u"exactly 255");
  harness->FocusBox(kRowHex);
  harness->TakeTold();
  r.log.clear();
  for (const char16_t* told : {u"Hex FF, Binary 11111111, Byte", u"Hex FF, Binary 11111111"}) {
    view.Announce(told);
  }
  view.Announce(std::u16string(100000, u'1'));
  // The eye sees nothing new: the same texts, note, focus, and no event.
  EXPECT_TRUE(r.log.empty());
  EXPECT_EQ(view.GetText(kRowDec), u"255");
  EXPECT_EQ(harness->Description(kRowDec), u"exactly 255");
  EXPECT_TRUE(harness->BoxHasFocus(kRowHex));
  if (const auto told = harness->TakeTold()) {
    ASSERT_EQ(told->size(), 3u);  // each once
    EXPECT_EQ((*told)[0], u"Hex FF, Binary 11111111, Byte");
    EXPECT_EQ((*told)[1], u"Hex FF, Binary 11111111");
    EXPECT_EQ((*told)[2].size(), 100000u);
  }
}

TEST_P(ViewContract, IndexesOutsideTheirArraysAreIgnored) {
  View& view = harness->view();
  Recorder r(view);
  view.SetText(3, u"x");
  view.SetText(-1, u"x");
  EXPECT_EQ(view.GetText(3), u"");
  EXPECT_EQ(view.GetText(-1), u"");
  view.SetEnabled(Buttons::Paste, 3, false);
  view.SetEnabled(Buttons::Copy, -1, false);
  view.Select(Options::Type, 4);
  view.Select(Options::Display, -1);
  EXPECT_FALSE(view.IsSelected(Options::Display, 2));
  view.SetFocus(Buttons::Update, 7);
  view.SetDescription(3, u"x");
  EXPECT_TRUE(r.log.empty());
}

TEST_P(ViewContract, LongAndUnusualTextsArriveUnchanged) {
  View& view = harness->view();
  std::u16string text(200000, u'7');
  text += u"\u202E\u00E9\t\xD83D\xDE00 ";  // bidi mark, accent, tab, emoji, blank
  view.SetText(kRowBin, text);
  EXPECT_EQ(view.GetText(kRowBin), text);
}

}  // namespace
