#include <Class/Pay/Cell/TermPayTableViewCell.h>

#include <Foundation/ClassRegistry.h>
#include <UIKit/UIImage.h>
#include <Ultilities/Handle/NibBundle.h>

namespace kerbelin {

namespace {
using Cell = TermPayTableViewCell;
const auto registration = ios::ClassRegistration<Cell, ios::UITableViewCell>()
                              .property("titleLabel", &Cell::titleLabel)
                              .property("selectButton", &Cell::selectButton)
                              .property("selectView", &Cell::selectView)
                              .property("termButton", &Cell::termButton)
                              .method("didSelectChoose:", &Cell::didSelectChoose)
                              .method("didSelectTerm:", &Cell::didSelectTerm);
}  // namespace

std::shared_ptr<TermPayTableViewCell> TermPayTableViewCell::create() {
  return std::make_shared<TermPayTableViewCell>();
}

void TermPayTableViewCell::awakeFromNib() {
  UITableViewCell::awakeFromNib();
  if (auto frame = selectView.lock()) frame->layer()->setCornerRadius(4);
  setIcon();
}

void TermPayTableViewCell::didSelectChoose() {
  isCheckTerm = !isCheckTerm;
  if (checkTerm) checkTerm(isCheckTerm);
  setIcon();
}

void TermPayTableViewCell::setIcon() {
  const std::string& name = isCheckTerm ? checkedImageName : uncheckedImageName;
  if (auto button = selectButton.lock()) button->setImage(ios::UIImage::named(name, frameworkBundle()), ios::UIControl::normal);
}

void TermPayTableViewCell::didSelectTerm() {
  if (selectGuideTerm) selectGuideTerm(true);
}

}  // namespace kerbelin
