#pragma once

// What the list benchmarks share: the back-end's reply envelope and a list scrolled down frame by
// frame, back to the top after its end.

#include <Foundation/Base64.h>
#include <Foundation/Dictionary.h>
#include <UIKit/UITableView.h>
#include <UIKit/UIWindow.h>

#include <string>

namespace kerbelin::bench {

// One reply envelope around `body`, as the back-end sends it.
inline std::string envelope(const ios::Dictionary& body) {
  return ios::Dictionary{{"resultCode", 0}, {"resultDesc", "Thành công"}, {"body", ios::base64Encode(body.dump())}}
      .dump();
}

// A table on a window, moved `step` points further down on each call to next() and laid out.
struct ScrollDown {
  ios::UIWindow& window;
  ios::UITableView& table;
  ios::CGFloat step;
  ios::CGFloat y = 0;

  void next() {
    const ios::CGFloat bottom = table.contentSize().height - table.bounds().height();
    y = y + step > bottom ? 0 : y + step;
    table.setContentOffset({0, y});
    window.layoutIfNeeded();
  }
};

}  // namespace kerbelin::bench
