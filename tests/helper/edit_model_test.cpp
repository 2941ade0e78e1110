// The editor's text rules without a window: colours, the display grid,
// indentation stops, comment marks, pasted text, copies, the numeric pad,
// labels and marker lists.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "edit_colours.h"
#include "edit_fakes.h"
#include "edit_grid.h"
#include "edit_labels.h"
#include "edit_lines.h"
#include "edit_markers.h"
#include "edit_syntax.h"
#include "edit_text_ops.h"

namespace {

constexpr COLORREF Rgb(unsigned r, unsigned g, unsigned b) { return static_cast<COLORREF>(r | (g << 8) | (b << 16)); }

TEST(EditColours, DefaultsResolveToTheDocumentedColours) {
  const COLORREF window = Rgb(255, 255, 255), text = Rgb(0, 0, 0);
  int fg[8], bg[7];
  for (int i = 0; i < 8; ++i) fg[i] = kDefaultForeground[i];
  for (int i = 0; i < 7; ++i) bg[i] = kDefaultBackground[i];
  const ResolvedColours r = ResolveAll(fg, bg, kStandardColours, window, text);
  EXPECT_EQ(r.foreground[kRoleReserved], Rgb(255, 0, 255));
  EXPECT_EQ(r.foreground[kRoleString], Rgb(0, 128, 0));
  EXPECT_EQ(r.foreground[kRoleMarker], Rgb(255, 0, 0));
  EXPECT_EQ(r.background[kRoleComment], Rgb(255, 255, 0));
  EXPECT_EQ(r.background[kRoleBookmark], Rgb(0, 255, 255));
  EXPECT_EQ(r.background[kRoleFound], Rgb(0, 128, 0));
  // Automatic: the selection in inverse video, everything else window colours.
  EXPECT_EQ(r.foreground[kRoleSelection], window);
  EXPECT_EQ(r.background[kRoleSelection], text);
  EXPECT_EQ(r.foreground[kRoleText], text);
  EXPECT_EQ(r.background[kRoleText], window);
  EXPECT_EQ(r.foreground[kRoleComment], text);
  // A system colour change shows as a difference.
  EXPECT_NE(ResolveAll(fg, bg, kStandardColours, Rgb(1, 2, 3), text), r);
  EXPECT_EQ(ResolveAll(fg, bg, kStandardColours, window, text), r);
}

TEST(EditColours, StoredValuesOutOfRangeAreMended) {
  const COLORREF custom[16] = {};
  EXPECT_EQ(SanitiseColourCode(-1), 16);
  EXPECT_EQ(SanitiseColourCode(17), 16);
  EXPECT_EQ(SanitiseColourCode(1000000), 16);
  EXPECT_EQ(SanitiseColourCode(0), 0);
  EXPECT_EQ(SanitiseColourCode(16), 16);
  // A code past the table resolves as automatic, never reading beyond it.
  EXPECT_EQ(ResolveForeground(kRoleText, 99, custom, 7, 9), 9u);
  EXPECT_EQ(ResolveBackground(kRoleText, -5, custom, 7, 9), 7u);
  EXPECT_EQ(SanitiseCustomColour(0xFF123456ull), 0x123456u);
  EXPECT_EQ(SanitiseCustomColour(0xFFFFFFFFFFull), 0xFFFFFFu);
  for (int bad : {0, -3, 73, 100000}) EXPECT_EQ(SanitisePointSize(bad), 10) << bad;
  EXPECT_EQ(SanitisePointSize(12), 12);
}

TEST(EditColours, PreferencesReadBackMended) {
  struct Case { int code, point; unsigned top; int wantCode, wantPoint; };
  const Case cases[] = {{17, 0, 0xFF, 16, 10}, {-1, -4, 0x01, 16, 10}, {99999, 100000, 0, 16, 10}, {5, 12, 0, 5, 12}};
  for (const Case& c : cases) {
    RecordingEditToMoxel cb;
    cb.values["ColorCode"] = c.code;
    cb.values["PointSize"] = c.point;
    cb.values["CustomTop"] = static_cast<int>(c.top);
    EditPreferences p;
    COLORREF custom[16];
    ReadPreferences(cb, "", p, custom);
    for (int code : p.foreground) EXPECT_EQ(code, c.wantCode) << c.code;
    for (int code : p.background) EXPECT_EQ(code, c.wantCode) << c.code;
    EXPECT_EQ(p.pointSize, c.wantPoint) << c.point;
    for (int i = 0; i < 16; ++i) EXPECT_EQ(custom[i], static_cast<COLORREF>(i)) << "top byte dropped";
  }
}

TEST(EditGrid, GutterAndColumns) {
  EXPECT_EQ(GutterText(0), "1    ");
  EXPECT_EQ(GutterText(99998), "99999");
  EXPECT_EQ(DisplayColumn(0), 5);
  EXPECT_EQ(kMarkerTextColumn, 75);
  EXPECT_EQ(DisplayCells(11, "AB", 0, 9), "12   AB  ");
  EXPECT_EQ(DisplayCells(11, "AB", 6, 3), "B  ");
  EXPECT_EQ(DisplayCells(123455, "AB", 0, 8), "12345AB ") << "a long number keeps the text's column";
  EXPECT_TRUE(MarkerVisible(0, 81));
  EXPECT_FALSE(MarkerVisible(0, 80));
  EXPECT_FALSE(MarkerVisible(81, 10));
  EXPECT_EQ(MarkerPenWidth(true), 2);
  EXPECT_EQ(MarkerPenWidth(false), 1);
}

TEST(EditTextOps, IndentStops) {
  const int next[][2] = {{0, 10}, {9, 10}, {10, 13}, {11, 13}, {12, 13}, {13, 16}, {14, 16}, {18, 19}, {19, 22}};
  for (auto& c : next) EXPECT_EQ(NextIndentStop(c[0]), c[1]) << c[0];
  const int previous[][2] = {{0, 0}, {5, 0}, {10, 0}, {11, 10}, {13, 10}, {14, 13}, {16, 13}, {17, 16}, {19, 16}, {20, 19}};
  for (auto& c : previous) EXPECT_EQ(PreviousIndentStop(c[0]), c[1]) << c[0];
  EXPECT_EQ(WithIndent("   X = 1 ", 10), "          X = 1 ");
  EXPECT_EQ(WithIndent("X", 0), "X");
  EXPECT_EQ(WithIndent("    ", 0), "");
}

TEST(EditTextOps, CommentMarks) {
  EXPECT_EQ(CommentedLine("  X = 1"), "!  X = 1");
  struct Case { const char* in; const char* out; bool changed; };
  const Case cases[] = {{"!X", "X", true}, {"   !X!", "   X!", true}, {"X !", "X !", false}, {"", "", false},
                        {"  ", "  ", false}, {"!!X", "!X", true}};
  for (const Case& c : cases) {
    std::string line = c.in;
    EXPECT_EQ(UncommentLine(line), c.changed) << c.in;
    EXPECT_EQ(line, c.out) << c.in;
  }
}

TEST(EditTextOps, PasteSplitsAtEveryKindOfBreak) {
  using V = std::vector<std::string>;
  EXPECT_EQ(SplitPastedText("a"), (V{"a"}));
  EXPECT_EQ(SplitPastedText("a\rb\nc\r\nd"), (V{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitPastedText("a\n\rb"), (V{"a", "", "b"})) << "LF CR is two breaks";
  EXPECT_EQ(SplitPastedText("a\r\n"), (V{"a", ""}));
  EXPECT_EQ(SplitPastedText(""), (V{""}));
}

TEST(EditTextOps, CopyLinesNumbersEachLineAndRefusesOversizeCopies) {
  std::string out;
  ASSERT_TRUE(CopyLinesText({"A", "  B"}, 9, 1000, out));
  EXPECT_EQ(out, "10   A\r\n11     B\r\n");
  EXPECT_FALSE(CopyLinesText({std::string(2000, 'x')}, 0, 1000, out));
  EXPECT_TRUE(out.empty());
  EXPECT_STREQ(kCopyTooLargeText, "Selected text is too large to copy");
}

TEST(EditTextOps, NumericPadTable) {
  EXPECT_EQ(NumPadByte(kPad7, false, false, true), 0xDA);
  EXPECT_EQ(NumPadByte(kPad7, true, false, true), 0xD6);
  EXPECT_EQ(NumPadByte(kPad7, false, true, true), 0xD5);
  EXPECT_EQ(NumPadByte(kPad7, true, true, true), 0xC9);
  EXPECT_EQ(NumPadByte(kPad3, true, true, true), 0xBC);
  EXPECT_EQ(NumPadByte(kPad0, false, true, true), 0xCD);
  EXPECT_EQ(NumPadByte(kPadDecimal, false, false, true), 0xB3);
  EXPECT_EQ(NumPadByte(kPadDecimal, true, true, true), -1);
  // Drawing off: the plain keys type digits, the modified ones still draw.
  EXPECT_EQ(NumPadByte(kPad7, false, false, false), '7');
  EXPECT_EQ(NumPadByte(kPadDecimal, false, false, false), '.');
  EXPECT_EQ(NumPadByte(kPad7, true, false, false), 0xD6);
  EXPECT_EQ(NumPadByte(11, false, false, true), -1);
}

TEST(EditLabels, LabelRule) {
  struct Case { const char* line; bool label; const char* text; int column; };
  const Case cases[] = {
      {"100:", true, "100", 4},       {"MAIN.LOOP: X = 1", true, "MAIN.LOOP", 10},
      {"   100: GOTO 10", true, "100", 7}, {"  A$%: ", true, "A$%", 6},
      {"X:=1", false, "", 0},          {"PRINT A:B", false, "", 0},
      {":", false, "", 0},             {"", false, "", 0},
      {"   ", false, "", 0},           {"LOOP", false, "", 0},
      {"A :", false, "", 0},           {"X:", true, "X", 2},
  };
  for (const Case& c : cases) {
    std::string text;
    int column = -1;
    EXPECT_EQ(FindLabel(c.line, &text, &column), c.label) << c.line;
    if (c.label) {
      EXPECT_EQ(text, c.text) << c.line;
      EXPECT_EQ(column, c.column) << c.line;
    }
  }
}

TEST(EditLabels, ListsByLineOrByLabel) {
  EditLines lines;
  for (const char* t : {"ZED: X=1", "PRINT", "  ALPHA:", "MID: ", "X:=2"}) lines.Insert(lines.Count(), t);
  std::vector<EditLabel> byLine = CollectLabels(lines, false);
  ASSERT_EQ(byLine.size(), 3u);
  EXPECT_EQ(byLine[0].text, "ZED");
  EXPECT_EQ(byLine[1].line, 2);
  EXPECT_EQ(byLine[1].column, 8);
  std::vector<EditLabel> byLabel = CollectLabels(lines, true);
  EXPECT_EQ(byLabel[0].text, "ALPHA");
  EXPECT_EQ(byLabel[2].text, "ZED");
  EXPECT_EQ(FindLabelLine(lines, "MID"), 3);
  EXPECT_EQ(FindLabelLine(lines, "X"), -1);
}

TEST(LineMarkers, FollowInsertedAndDeletedLines) {
  LineMarkers m;
  for (int l : {9, 2, 5}) m.Set(l);
  EXPECT_EQ(m.Lines(), (std::vector<int>{2, 5, 9}));
  EXPECT_FALSE(m.Toggle(5));
  EXPECT_TRUE(m.Toggle(6));
  EXPECT_EQ(m.NextAfter(6), 9);
  EXPECT_EQ(m.NextAfter(9), 2) << "wraps";
  m.LinesInserted(6, 2);  // 2, 8, 11
  EXPECT_EQ(m.Lines(), (std::vector<int>{2, 8, 11}));
  m.LinesDeleted(7, 3);  // line 8 goes, 11 -> 8
  EXPECT_EQ(m.Lines(), (std::vector<int>{2, 8}));
  EXPECT_EQ(LineMarkers().NextAfter(0), -1);
}

}  // namespace
