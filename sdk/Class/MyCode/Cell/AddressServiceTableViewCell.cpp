#include <Class/MyCode/Cell/AddressServiceTableViewCell.h>

#include <Class/MyCode/Model/BranchModel.h>
#include <Class/MyCode/ProviderLinks.h>
#include <Foundation/ClassRegistry.h>
#include <UIKit/UIApplication.h>
#include <Ultilities/Common/Common.h>
#include <Ultilities/Extensions/UIColorExtension.h>

namespace kerbelin {

namespace {
using Cell = AddressServiceTableViewCell;
const auto registration = ios::ClassRegistration<Cell, ios::UITableViewCell>()
                              .property("viewContent", &Cell::viewContent)
                              .property("widthViewOpen", &Cell::widthViewOpen)
                              .property("viewOpen", &Cell::viewOpen)
                              .property("labelName", &Cell::labelName)
                              .property("labelAddress", &Cell::labelAddress)
                              .property("labelTimeOpen", &Cell::labelTimeOpen)
                              .property("labelPhone", &Cell::labelPhone)
                              .property("labelOpen", &Cell::labelOpen)
                              .method("didPressedGotoGoogleMap:", &Cell::didPressedGotoGoogleMap);

struct Badge {
  const char* text;
  std::shared_ptr<ios::UIColor> color;
  ios::CGFloat width;
};

Badge badgeFor(const std::string& openStatus) {
  if (openStatus == "1") return {"Mở cửa", colorWithRGBA("#46AF59"), 58};
  return {"Đóng cửa", ios::UIColor::red(), 72};
}

void setText(const std::weak_ptr<ios::UILabel>& label, const std::string& text) {
  if (auto shown = label.lock()) shown->setText(text);
}
}  // namespace

std::shared_ptr<AddressServiceTableViewCell> AddressServiceTableViewCell::create() {
  return std::make_shared<AddressServiceTableViewCell>();
}

void AddressServiceTableViewCell::awakeFromNib() {
  UITableViewCell::awakeFromNib();
  if (auto content = viewContent.lock()) Common::SetShadowAndcornerRadiusView(*content, 6);
}

void AddressServiceTableViewCell::getData(const std::shared_ptr<BranchModel>& obj) {
  objBranch = obj;
  if (!obj) return;
  setText(labelName, obj->name);
  setText(labelAddress, obj->fullAddress);
  setText(labelTimeOpen, obj->businessHourDisplay);
  setText(labelPhone, obj->phone);
  const Badge badge = badgeFor(obj->openStatus);
  setText(labelOpen, badge.text);
  if (auto view = viewOpen.lock()) view->setBackgroundColor(badge.color);
  if (auto width = widthViewOpen.lock()) width->setConstant(badge.width);
}

void AddressServiceTableViewCell::didPressedGotoGoogleMap(const std::shared_ptr<ios::NSObject>&) {
  openGoogleMap();
}

void AddressServiceTableViewCell::openGoogleMap() {
  if (!objBranch || !objBranch->location) return;
  const auto& application = ios::UIApplication::shared();
  const auto probe = ios::URL::fromString(ProviderLinks::kMapsAppProbe);
  const bool inMapsApp = probe && application->canOpenURL(*probe);
  if (auto url = ProviderLinks::directions(*objBranch->location, inMapsApp)) application->open(*url);
}

}  // namespace kerbelin
