#include <Class/DetailCard/ViewController/HistoryServiceSearchDetailViewController.h>

#include <Class/DetailCard/Model/AccountEntryDtos.h>
#include <Foundation/ClassRegistry.h>
#include <Foundation/NSString.h>
#include <UIKit/UINavigationController.h>
#include <Ultilities/Extensions/UIColorExtension.h>
#include <Ultilities/Handle/NibBundle.h>

namespace kerbelin {

namespace {
using Screen = HistoryServiceSearchDetailViewController;
const auto registration = ios::ClassRegistration<Screen, ios::UIViewController>("HistoryServiceSearchDetailViewController")
                              .property("titleLabel", &Screen::titleLabel)
                              .property("nameLabel", &Screen::nameLabel)
                              .property("priceLabel", &Screen::priceLabel)
                              .property("dateLabel", &Screen::dateLabel)
                              .property("value1Label", &Screen::value1Label)
                              .property("value2Label", &Screen::value2Label)
                              .property("value3Label", &Screen::value3Label)
                              .method("backButtonClicked:", &Screen::backButtonClicked);

const std::string kNib = "HistoryServiceSearchDetailViewController";

void show(const std::weak_ptr<ios::UILabel>& label, std::optional<std::string> text) {
  if (auto shown = label.lock()) shown->setText(std::move(text));
}

// Whether the character starting at byte `i` is a whole user-perceived character.
bool standsAlone(std::string_view text, std::size_t i) {
  return ios::graphemeCount(text.substr(0, i)) + 1 + ios::graphemeCount(text.substr(i + 1)) ==
         ios::graphemeCount(text);
}
}  // namespace

std::shared_ptr<HistoryServiceSearchDetailViewController> HistoryServiceSearchDetailViewController::create() {
  return std::make_shared<HistoryServiceSearchDetailViewController>();
}

HistoryServiceSearchDetailViewController::HistoryServiceSearchDetailViewController()
    : UIViewController(kNib, resolveNibBundle(kNib, nullptr)) {}

void HistoryServiceSearchDetailViewController::viewDidLoad() {
  UIViewController::viewDidLoad();
  loadData();
}

void HistoryServiceSearchDetailViewController::loadData() {
  const AccountEntryDtos* entry = accountEntryDtos.get();
  if (entry) {
    const bool usage = entry->transType == TranType::Usage;
    show(titleLabel, usage ? "Sử dụng dịch vụ" : "Hoàn trả dịch vụ");
    if (auto price = priceLabel.lock()) price->setTextColor(colorWithRGBA(usage ? "#FD243A" : "#53B86C"));
  }
  auto text = [entry](std::string AccountEntryDtos::*field) {
    return entry ? std::optional(entry->*field) : std::nullopt;
  };
  show(nameLabel, text(&AccountEntryDtos::providerName));
  show(priceLabel, text(&AccountEntryDtos::amountUnit));
  show(dateLabel, "Thời gian: " + text(&AccountEntryDtos::entryTimeDetail).value_or(""));
  show(value1Label, std::to_string(entry ? entry->transactionId : 0));
  show(value2Label, removeSpecialCharsFromString(text(&AccountEntryDtos::amountUnit).value_or("")));
  show(value3Label, text(&AccountEntryDtos::availableAfterUnit));
}

std::string HistoryServiceSearchDetailViewController::removeSpecialCharsFromString(const std::string& text) {
  std::string kept;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool sign = text[i] == '+' || text[i] == '-';
    if (!sign || !standsAlone(text, i)) kept += text[i];
  }
  return kept;
}

void HistoryServiceSearchDetailViewController::backButtonClicked(const std::shared_ptr<ios::NSObject>&) {
  if (auto navigation = navigationController()) navigation->popViewController(true);
}

}  // namespace kerbelin
