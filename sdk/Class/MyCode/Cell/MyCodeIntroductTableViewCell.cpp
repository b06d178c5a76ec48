#include <Class/MyCode/Cell/MyCodeIntroductTableViewCell.h>

#include <Class/MyCode/Model/ProvideInforModel.h>
#include <Class/MyCode/ProviderLinks.h>
#include <Foundation/ClassRegistry.h>
#include <UIKit/UIApplication.h>
#include <Ultilities/Common/Common.h>
#include <Ultilities/Extensions/AttributedStringExtension.h>
#include <Ultilities/Extensions/StringExtension.h>

namespace kerbelin {

namespace {
using Cell = MyCodeIntroductTableViewCell;
const auto registration = ios::ClassRegistration<Cell, ios::UITableViewCell>()
                              .property("viewContent", &Cell::viewContent)
                              .property("labelEmail", &Cell::labelEmail)
                              .property("labelWebsite", &Cell::labelWebsite)
                              .property("labelFacebook", &Cell::labelFacebook)
                              .property("labelInfor", &Cell::labelInfor)
                              .method("pressedEmail:", &Cell::pressedEmail)
                              .method("pressedWebsite:", &Cell::pressedWebsite)
                              .method("pressedFacebook:", &Cell::pressedFacebook);

void setText(const std::weak_ptr<ios::UILabel>& label, const std::string& text) {
  if (auto shown = label.lock()) shown->setText(text);
}

void open(const std::optional<ios::URL>& url) {
  if (url) ios::UIApplication::shared()->open(*url);
}
}  // namespace

std::shared_ptr<MyCodeIntroductTableViewCell> MyCodeIntroductTableViewCell::create() {
  return std::make_shared<MyCodeIntroductTableViewCell>();
}

void MyCodeIntroductTableViewCell::awakeFromNib() {
  UITableViewCell::awakeFromNib();
  if (auto content = viewContent.lock()) Common::SetShadowAndcornerRadiusView(*content, 8);
}

void MyCodeIntroductTableViewCell::GetDataInfor(const std::shared_ptr<ProvideInforModel>& obj) {
  objIntroduct = obj;
  if (!obj) return;
  setText(labelEmail, obj->email);
  setText(labelWebsite, obj->website);
  setText(labelFacebook, obj->facebook);
  if (auto label = labelInfor.lock()) label->setAttributedText(htmlToAttributedString(convertHtml(obj->introduction, 13)));
}

void MyCodeIntroductTableViewCell::pressedEmail(const std::shared_ptr<ios::NSObject>&) {
  if (objIntroduct) open(ProviderLinks::mail(objIntroduct->email));
}

void MyCodeIntroductTableViewCell::pressedWebsite(const std::shared_ptr<ios::NSObject>&) {
  if (objIntroduct) open(ProviderLinks::website(objIntroduct->website));
}

void MyCodeIntroductTableViewCell::pressedFacebook(const std::shared_ptr<ios::NSObject>&) {
  if (objIntroduct) open(ProviderLinks::social(objIntroduct->facebook));
}

}  // namespace kerbelin
