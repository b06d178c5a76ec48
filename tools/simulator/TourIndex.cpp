#include "TourIndex.h"

#include <fstream>
#include <system_error>

namespace kerbelin::sim {
namespace {

std::string escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

}  // namespace

std::string TourIndex::html(const std::vector<std::string>& shotNames, const std::string& title) {
  std::string page =
      "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>" + escaped(title) +
      "</title>\n<style>body{font-family:sans-serif;background:#eee}figure{display:inline-block;"
      "margin:12px;vertical-align:top}img{width:375px;border:1px solid #999;background:#fff}"
      "figcaption{text-align:center}</style></head>\n<body><h1>" +
      escaped(title) + "</h1>\n";
  int number = 0;
  for (const auto& name : shotNames) {
    const std::string file = escaped(name) + ".png";
    page += "<figure><a href=\"" + file + "\"><img src=\"" + file + "\" alt=\"" + escaped(name) +
            "\"></a><figcaption>" + std::to_string(++number) + ". " + escaped(name) +
            "</figcaption></figure>\n";
  }
  page += "</body></html>\n";
  return page;
}

bool TourIndex::write(const std::filesystem::path& directory, const std::vector<std::string>& shotNames,
                      const std::string& title) {
  std::error_code ignored;
  std::filesystem::create_directories(directory, ignored);
  std::ofstream out(directory / "index.html", std::ios::binary | std::ios::trunc);
  out << html(shotNames, title);
  return static_cast<bool>(out);
}

}  // namespace kerbelin::sim
