#include "image_annotations.h"

#include <gtest/gtest.h>

namespace {

TEST(ParseAnnotations, MarksBelongToTheLastPageLine) {
  const AnnotationSet set = ParseAnnotations(
      "rect 1 2 30 40 FF0000\r\n"
      "page 3\n"
      "text 5 6 00ff00 Paid in full  \n"
      "# a comment\n"
      "\n"
      "page 2\n"
      "rect -4 0 1 1 0000FF\n");
  ASSERT_EQ(set.marks.size(), 3u);
  EXPECT_EQ(set.badLines, 0);
  const Annotation& r = set.marks[0];
  EXPECT_EQ(r.kind, Annotation::kRect);
  EXPECT_EQ(r.page, 1);
  EXPECT_EQ(r.x, 1);
  EXPECT_EQ(r.y, 2);
  EXPECT_EQ(r.width, 30);
  EXPECT_EQ(r.height, 40);
  EXPECT_EQ(r.rgb, 0xFF0000u);
  const Annotation& t = set.marks[1];
  EXPECT_EQ(t.kind, Annotation::kText);
  EXPECT_EQ(t.page, 3);
  EXPECT_EQ(t.rgb, 0x00FF00u);
  EXPECT_EQ(t.text, "Paid in full  ");  // the text runs to the end of the line
  EXPECT_EQ(set.marks[2].page, 2);
  EXPECT_EQ(set.marks[2].x, -4);
  EXPECT_TRUE(set.OnPage(3));
  EXPECT_FALSE(set.OnPage(4));
}

TEST(ParseAnnotations, BadLinesAreCountedAndSkipped) {
  const char* bad[] = {
      "rect 1 2 3 FF0000",          // a number missing
      "rect 1 2 3 4 FF00",          // colour too short
      "rect 1 2 3 4 GG0000",        // not hex
      "rect 1 2 0 4 FF0000",        // empty rectangle
      "rect 1 2 3 4 FF0000 extra",  // trailing word
      "rect 1x 2 3 4 FF0000",       // not a number
      "rect 99999999999 2 3 4 FF0000",
      "text 1 2 FF0000",            // no text
      "page 0",
      "page -1",
      "page",
      "circle 1 2 3",
  };
  for (const char* line : bad) {
    const AnnotationSet set = ParseAnnotations(std::string(line) + "\nrect 0 0 1 1 000000\n");
    EXPECT_EQ(set.badLines, 1) << line;
    ASSERT_EQ(set.marks.size(), 1u) << line;
    EXPECT_EQ(set.marks[0].page, 1) << line;  // a bad page line changes nothing
  }
}

TEST(ParseAnnotations, EmptyAndBinaryText) {
  EXPECT_TRUE(ParseAnnotations("").marks.empty());
  const std::string junk("\x00\xff\x01rect\n\xfe\xfe", 9);
  const AnnotationSet set = ParseAnnotations(junk);
  EXPECT_TRUE(set.marks.empty());
  EXPECT_EQ(set.badLines, 2);
}

TEST(AnnotationPathFor, SidecarBesideTheImage) {
  EXPECT_EQ(AnnotationPathFor("C:\\docs\\scan.tif"), "C:\\docs\\scan.tif.ann");
}

}  // namespace
