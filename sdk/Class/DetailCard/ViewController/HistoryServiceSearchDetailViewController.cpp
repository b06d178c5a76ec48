#include <Class/DetailCard/ViewController/HistoryServiceSearchDetailViewController.h>

#include <Class/CustomView/PlaceholderContentView.h>
#include <Foundation/ClassRegistry.h>
#include <UIKit/UIScreen.h>

namespace kerbelin {

namespace {

const auto registration =
    ios::ClassRegistration<HistoryServiceSearchDetailViewController, ios::UIViewController>(
        "HistoryServiceSearchDetailViewController");

constexpr const char* kTitle = "Chi tiết giao dịch";

}  // namespace

std::shared_ptr<HistoryServiceSearchDetailViewController> HistoryServiceSearchDetailViewController::create() {
  return std::make_shared<HistoryServiceSearchDetailViewController>();
}

void HistoryServiceSearchDetailViewController::loadView() {
  auto content = PlaceholderContentView::create(kTitle);
  content->setFrame(ios::UIScreen::main()->bounds());
  setView(content);
}

}  // namespace kerbelin
