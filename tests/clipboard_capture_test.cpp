#include "ui/clipboard_capture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/fake_services.h"
#include "ui/main_form.h"

namespace {

constexpr int kShift = 16;
constexpr int kMenu = 18;

class Capture : public ::testing::Test {
 protected:
  // The cached text lives for the whole process; every test starts a new run.
  void SetUp() override {
    ReleaseClipboardCache();
    BindClipboardCapture(form, services);
  }
  void TearDown() override { ReleaseClipboardCache(); }

  // The field copied a selection: its text is on the clipboard by the next tick.
  void Copied(const std::string& text) { services.clipboard = text; }
  void Tick() { form.时钟1.Raise(Event::Tick); }

  MainForm form;
  FakeServices services;
};

TEST(SendKeyChord, PressesModifiersLastFirstThenReleasesThemBeforeTheKey) {
  struct Case {
    const char* name;
    int key, modifier1, modifier2, modifier3;
    std::vector<KeyEventCall> expected;
  };
  const Case cases[] = {
      {"Control+C, as each tick sends it", kKeyC, kKeyControl, 0, 0,
       {{kKeyControl, false}, {kKeyC, false}, {kKeyControl, true}, {kKeyC, true}}},
      {"three modifiers", kKeyC, kKeyControl, kShift, kMenu,
       {{kMenu, false}, {kShift, false}, {kKeyControl, false}, {kKeyC, false},
        {kMenu, true}, {kShift, true}, {kKeyControl, true}, {kKeyC, true}}},
      {"a zero second modifier is skipped, the third is not", kKeyC, kKeyControl, 0, kMenu,
       {{kMenu, false}, {kKeyControl, false}, {kKeyC, false}, {kMenu, true},
        {kKeyControl, true}, {kKeyC, true}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeServices services;
    SendKeyChord(services, c.key, c.modifier1, c.modifier2, c.modifier3);
    EXPECT_EQ(services.keyEvents, c.expected);
  }
}

TEST_F(Capture, FocusChangesStartAndStopTheTimer) {
  struct Case {
    const char* name;
    int periodBefore;
    Control MainForm::*field;
    Event event;
    int expectedPeriod;
    bool expectClipboardEmptied;
  };
  const Case cases[] = {
      {"the selected-name field gains the focus", 0, &MainForm::编辑框_旧的文本1,
       Event::FocusGained, 100, false},
      {"the selected-name field loses the focus", 100, &MainForm::编辑框_旧的文本1,
       Event::FocusLost, 0, true},
      {"the old-text field loses the focus", 100, &MainForm::编辑框_旧的文本, Event::FocusLost,
       0, false},
      {"the replacement field gains the focus", 100, &MainForm::编辑框_替换为,
       Event::FocusGained, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    form.时钟1.SetTimerPeriod(c.periodBefore);
    services.clipboard = "left by another program";
    (form.*c.field).Raise(c.event);
    EXPECT_EQ(form.时钟1.TimerPeriod(), c.expectedPeriod);
    EXPECT_EQ(services.clipboard, c.expectClipboardEmptied ? "" : "left by another program");
  }
}

TEST_F(Capture, EveryTickSendsControlC) {
  Tick();
  Tick();
  const std::vector<KeyEventCall> once{
      {kKeyControl, false}, {kKeyC, false}, {kKeyControl, true}, {kKeyC, true}};
  std::vector<KeyEventCall> twice = once;
  twice.insert(twice.end(), once.begin(), once.end());
  EXPECT_EQ(services.keyEvents, twice);
}

TEST_F(Capture, ATickTakesOverOnlyTextThatDiffersFromTheLastTakenOver) {
  struct Case {
    const char* name;
    std::string takenBefore;  // empty: nothing taken over yet in this run
    std::string onClipboard;
    std::string expectedOldText;
    std::string expectedClipboard;
  };
  const Case cases[] = {
      {"a new selection moves into the old-text field", "", "abc", "abc", ""},
      {"another selection after a take-over", "abc", "b", "b", ""},
      {"the same text again changes nothing and stays on the clipboard", "abc", "abc",
       "edited", "abc"},
      {"fault: texts were compared without case", "abc", "ABC", "ABC", ""},
      {"an empty clipboard is never taken over", "abc", "", "edited", ""},
      {"an empty clipboard at the start of a run", "", "", "edited", ""},
      {"non-UTF-8 bytes cross unchanged", "", "a\xc4\xe3", "a\xc4\xe3", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ReleaseClipboardCache();
    if (!c.takenBefore.empty()) {
      Copied(c.takenBefore);
      Tick();
      ASSERT_EQ(form.编辑框_旧的文本.Text(), c.takenBefore);
    }
    form.编辑框_旧的文本.TakeUserText("edited");
    Copied(c.onClipboard);

    Tick();

    EXPECT_EQ(form.编辑框_旧的文本.Text(), c.expectedOldText);
    EXPECT_EQ(services.clipboard, c.expectedClipboard);
  }
}

TEST_F(Capture, TheLastTakenTextIsRememberedIntoALaterFocusPeriod) {
  form.编辑框_旧的文本1.Raise(Event::FocusGained);
  Copied("abc");
  Tick();
  form.编辑框_旧的文本1.Raise(Event::FocusLost);
  form.编辑框_旧的文本.TakeUserText("edited");

  form.编辑框_旧的文本1.Raise(Event::FocusGained);
  Copied("abc");
  Tick();

  EXPECT_EQ(form.编辑框_旧的文本.Text(), "edited");
  EXPECT_EQ(services.clipboard, "abc");
}

TEST_F(Capture, ReleasingTheCacheForgetsTheLastTakenText) {
  Copied("abc");
  Tick();
  form.编辑框_旧的文本.TakeUserText("edited");
  ReleaseClipboardCache();

  Copied("abc");
  Tick();

  EXPECT_EQ(form.编辑框_旧的文本.Text(), "abc");
}

TEST_F(Capture, TextLeftByAnotherProgramIsTakenOverByTheFirstTick) {
  services.clipboard = "from another program";
  form.编辑框_旧的文本1.Raise(Event::FocusGained);
  Tick();
  EXPECT_EQ(form.编辑框_旧的文本.Text(), "from another program");
  EXPECT_EQ(services.clipboard, "");
}

TEST_F(Capture, FocusingTheOldTextFieldTakesOverWhateverIsOnTheClipboard) {
  struct Case {
    const char* name;
    std::string onClipboard;
    std::string expectedOldText;
  };
  const Case cases[] = {
      {"text copied in another program", "copied elsewhere", "copied elsewhere"},
      {"an empty clipboard leaves the field", "", "typed"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    form.编辑框_旧的文本.TakeUserText("typed");
    services.clipboard = c.onClipboard;
    form.编辑框_旧的文本.Raise(Event::FocusGained);
    EXPECT_EQ(form.编辑框_旧的文本.Text(), c.expectedOldText);
    EXPECT_EQ(services.clipboard, "");
    EXPECT_EQ(form.时钟1.TimerPeriod(), 0);
  }
}

TEST_F(Capture, TakingOverOnFocusDoesNotCountAsTheLastTakenText) {
  services.clipboard = "abc";
  form.编辑框_旧的文本.Raise(Event::FocusGained);
  form.编辑框_旧的文本.TakeUserText("edited");

  Copied("abc");
  Tick();

  EXPECT_EQ(form.编辑框_旧的文本.Text(), "abc");
}

TEST_F(Capture, MovingTheFocusStraightToTheOldTextFieldFindsNothing) {
  form.编辑框_旧的文本1.Raise(Event::FocusGained);
  form.编辑框_旧的文本.TakeUserText("typed");
  Copied("abc");  // copied by the last tick's keys, not yet taken over

  form.编辑框_旧的文本1.Raise(Event::FocusLost);
  form.编辑框_旧的文本.Raise(Event::FocusGained);

  EXPECT_EQ(form.编辑框_旧的文本.Text(), "typed");
  EXPECT_EQ(services.clipboard, "");
  EXPECT_EQ(form.时钟1.TimerPeriod(), 0);
}

}  // namespace
