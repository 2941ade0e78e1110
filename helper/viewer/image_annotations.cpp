// The sidecar annotation file's lines.
#include "image_annotations.h"

#include <cctype>
#include <cstdlib>
#include <sstream>

namespace {

bool ReadInt(std::istringstream& in, int* value) {
  std::string word;
  if (!(in >> word)) return false;
  char* end = nullptr;
  const long v = std::strtol(word.c_str(), &end, 10);
  if (end == word.c_str() || *end || v < -1000000000L || v > 1000000000L) return false;
  *value = static_cast<int>(v);
  return true;
}

bool ReadColour(std::istringstream& in, std::uint32_t* rgb) {
  std::string word;
  if (!(in >> word) || word.size() != 6) return false;
  for (char c : word)
    if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
  *rgb = static_cast<std::uint32_t>(std::strtoul(word.c_str(), nullptr, 16));
  return true;
}

bool NothingLeft(std::istringstream& in) {
  std::string extra;
  return !(in >> extra);
}

}  // namespace

bool AnnotationSet::OnPage(int page) const {
  for (const Annotation& a : marks)
    if (a.page == page) return true;
  return false;
}

AnnotationSet ParseAnnotations(const std::string& text) {
  AnnotationSet set;
  int page = 1;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#') continue;
    std::istringstream in(line);
    std::string keyword;
    in >> keyword;
    Annotation a;
    bool good = false;
    if (keyword == "page") {
      int n = 0;
      if (ReadInt(in, &n) && n >= 1 && NothingLeft(in)) {
        page = n;
        continue;
      }
    } else if (keyword == "rect") {
      a.kind = Annotation::kRect;
      good = ReadInt(in, &a.x) && ReadInt(in, &a.y) && ReadInt(in, &a.width) && ReadInt(in, &a.height) &&
             a.width > 0 && a.height > 0 && ReadColour(in, &a.rgb) && NothingLeft(in);
    } else if (keyword == "text") {
      a.kind = Annotation::kText;
      good = ReadInt(in, &a.x) && ReadInt(in, &a.y) && ReadColour(in, &a.rgb);
      if (good) {
        std::string rest;
        std::getline(in, rest);
        size_t start = rest.find_first_not_of(" \t");
        a.text = start == std::string::npos ? std::string() : rest.substr(start);
        good = !a.text.empty();
      }
    }
    if (!good) {
      ++set.badLines;
      continue;
    }
    a.page = page;
    set.marks.push_back(a);
  }
  return set;
}

std::string AnnotationPathFor(const std::string& imagePath) { return imagePath + ".ann"; }
