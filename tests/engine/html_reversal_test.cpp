// The reversal of markup and of the text between it, on single lines and on
// markup that spans lines, with the machine's state carried between them.
#include "engine/html_reversal.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvandel {
namespace {

using S = Html_state;
constexpr bool on = true;
constexpr bool off = false;

struct Document_case {
  std::vector<std::string> lines;
  bool tags, text;
  std::vector<std::string> expected;
  Html_state final_state = S::text;
};

void Expect_documents(const std::vector<Document_case>& cases) {
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lines.front());
    Html_state state = S::text;
    std::vector<std::string> converted;
    for (const std::string& raw : c.lines) {
      Text line = T(raw);
      Reverse_HTML_Tags(line, c.tags, c.text, state);
      converted.push_back(Bytes_from_text(line));
    }
    EXPECT_EQ(converted, c.expected);
    EXPECT_STREQ(Html_state_name(state), Html_state_name(c.final_state));
  }
}

TEST(Reverse_HTML_Tags, ReversesMarkupAndTextOfOneLine) {
  Expect_documents({
      {{"<p>Hello</p>"}, on, off, {">p<Hello>p/<"}},
      {{"<p>Hello</p>"}, off, on, {"<p>olleH</p>"}},
      {{"<p>Hello</p>"}, on, on, {">p<olleH>p/<"}},
      {{"abc <b>de</b> fg"}, off, on, {" cba<b>ed</b>gf "}},
      {{"<a title='a>b'>c</a>"}, on, off, {">'b>a'=eltit a<c>a/<"}},
      {{"<a title=\"a>b\">c</a>"}, on, off, {">\"b>a\"=eltit a<c>a/<"}},
      {{"<!-- note -->abc"}, on, off, {">-- eton --!<abc"}},
      {{"<!--a->b--->c"}, on, off, {">---b>-a--!<c"}},
      {{"<!DOCTYPE html>abc"}, on, off, {">lmth EPYTCOD!<abc"}},
      {{"<!>x>y"}, on, off, {">x>!<y"}},
      // A tab after the name is white space, so the quoted '>' stays inside;
      // after the '=' only the space is.
      {{"<a\tb=\"x>y\">z"}, on, off, {">\"y>x\"=b\ta<z"}},
      {{"<a b=\t\"x>y\">z"}, on, off, {">\"y>x\"\t=b a<z"}},
      {{"a<>bc"}, on, on, {"a><cb"}},
      {{"x </b"}, on, off, {"x b/<"}, S::slashed},
      {{"x <table"}, on, on, {" x<table"}, S::opened},
  });
}

TEST(Reverse_HTML_Tags, CarriesMarkupFromLineToLine) {
  Expect_documents({
      {{"<b>x</b> text <a href", "=x>more"}, on, off, {">b<x>b/< text ferh a<", ">x=more"}},
      {{"x <table", "border=1>y"}, on, off, {"x <table", ">1=redroby"}},
      {{"abc <a", ">", "def"}, on, on, {" cba<a", ">", "fed"}},
      // The first markup of the document, open at the end of its line, is
      // reversed from its '<': the text before it stays.
      {{"a <!-- one", "two", "three -->b"}, on, off, {"a eno --!<", "owt", ">-- eerhtb"}},
      {{"x <a", "href=1>yz"}, off, on, {" x<a", "href=1>zy"}},
      {{"<a title=\"x", "y>z\">w"}, on, off, {"x\"=eltit a<", ">\"z>yw"}},
      {{"ab", "cd"}, off, on, {"ba", "dc"}},
  });
}

TEST(Reverse_HTML_Tags, UnitsAboveBytesAreNoMarkup) {
  Html_state state = S::text;
  Text line = {U'a', 256 + U'<', U'b', U'<', 0x5D0, 256 + U'>', U'>', U'c', U'd'};
  Reverse_HTML_Tags(line, on, on, state);
  EXPECT_EQ(line, (Text{U'b', 256 + U'<', U'a', U'>', 256 + U'>', 0x5D0, U'<', U'd', U'c'}));
  EXPECT_EQ(state, S::text);
}

TEST(Reverse_HTML_Tags, NoneBehavesAsText) {
  Html_state state = S::none;
  Text line = T("ab<i>cd");
  Reverse_HTML_Tags(line, on, on, state);
  EXPECT_EQ(Bytes_from_text(line), "ba>i<dc");
  EXPECT_EQ(state, S::text);
}

}  // namespace
}  // namespace quorvandel
