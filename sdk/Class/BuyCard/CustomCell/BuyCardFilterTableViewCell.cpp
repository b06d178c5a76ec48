#include <Class/BuyCard/CustomCell/BuyCardFilterTableViewCell.h>

#include <Foundation/ClassRegistry.h>
#include <QuartzCore/CALayer.h>
#include <UIKit/UIImage.h>
#include <Ultilities/Constants/Color.h>

namespace kerbelin {

namespace {
using Cell = BuyCardFilterTableViewCell;
const auto registration = ios::ClassRegistration<Cell, BaseTableCell>()
                              .property("viewNewest", &Cell::viewNewest)
                              .property("viewSavest", &Cell::viewSavest)
                              .property("lbSavest", &Cell::lbSavest)
                              .property("lbNewest", &Cell::lbNewest)
                              .property("viewPrice", &Cell::viewPrice)
                              .property("lbPrice", &Cell::lbPrice)
                              .property("btnPrice", &Cell::btnPrice)
                              .property("btnSavest", &Cell::btnSavest)
                              .property("btnNewest", &Cell::btnNewest)
                              .property("iconPrice", &Cell::iconPrice)
                              .method("didNewest:", &Cell::didNewest)
                              .method("didSavest:", &Cell::didSavest)
                              .method("didPrice:", &Cell::didPrice);

struct Chip {
  std::shared_ptr<ios::UIView> backing;
  std::shared_ptr<ios::UILabel> caption;
  std::shared_ptr<ios::UIButton> target;
};

void drawUnpicked(const Chip& chip) {
  if (chip.backing) {
    chip.backing->setBackgroundColor(ios::UIColor::clear());
    chip.backing->layer()->setBorderColor(ios::UIColor::lightGray()->cgColor());
    chip.backing->layer()->setBorderWidth(1);
  }
  if (chip.caption) chip.caption->setTextColor(ios::UIColor::lightGray());
  if (chip.target) chip.target->setUserInteractionEnabled(true);
}

void drawPicked(const Chip& chip, bool targetStaysOn) {
  if (chip.backing) {
    chip.backing->setBackgroundColor(Color::Main_Flamigo());
    chip.backing->layer()->setBorderColor(Color::Main_Flamigo()->cgColor());
  }
  if (chip.caption) chip.caption->setTextColor(ios::UIColor::white());
  if (chip.target) chip.target->setUserInteractionEnabled(targetStaysOn);
}
}  // namespace

std::shared_ptr<BuyCardFilterTableViewCell> BuyCardFilterTableViewCell::create() {
  return std::make_shared<BuyCardFilterTableViewCell>();
}

BuyCardFilterTableViewCell::BuyCardFilterTableViewCell() = default;

void BuyCardFilterTableViewCell::awakeFromNib() {
  BaseTableCell::awakeFromNib();
  setBackgroundColor(Color::Background_Color());
  for (const auto& weak : {viewNewest, viewSavest, viewPrice}) {
    if (auto view = weak.lock()) view->layer()->setCornerRadius(5);
  }
}

void BuyCardFilterTableViewCell::resetView() {
  drawUnpicked({viewNewest.lock(), lbNewest.lock(), btnNewest.lock()});
  drawUnpicked({viewSavest.lock(), lbSavest.lock(), btnSavest.lock()});
  drawUnpicked({viewPrice.lock(), lbPrice.lock(), btnPrice.lock()});
  if (auto icon = iconPrice.lock()) icon->setImage(ios::UIImage::named(iconNeutral));
}

void BuyCardFilterTableViewCell::updateFilter(FilterType filter) {
  resetView();
  currentFilter = filter;
  switch (filter) {
    case FilterType::Newest:
      drawPicked({viewNewest.lock(), lbNewest.lock(), btnNewest.lock()}, false);
      break;
    case FilterType::Savest:
      drawPicked({viewSavest.lock(), lbSavest.lock(), btnSavest.lock()}, false);
      break;
    case FilterType::PriceUp:
    case FilterType::PriceDown:
      // The price chip keeps answering touches: a further tap flips the direction.
      drawPicked({viewPrice.lock(), lbPrice.lock(), btnPrice.lock()}, true);
      if (auto icon = iconPrice.lock()) {
        icon->setImage(ios::UIImage::named(filter == FilterType::PriceUp ? iconRising : iconFalling));
      }
      break;
  }
}

void BuyCardFilterTableViewCell::didNewest(const std::shared_ptr<ios::UIButton>&) {
  pick(FilterType::Newest);
}

void BuyCardFilterTableViewCell::didSavest(const std::shared_ptr<ios::UIButton>&) {
  pick(FilterType::Savest);
}

void BuyCardFilterTableViewCell::didPrice(const std::shared_ptr<ios::UIButton>&) {
  pick(currentFilter == FilterType::PriceDown ? FilterType::PriceUp : FilterType::PriceDown);
}

void BuyCardFilterTableViewCell::pick(FilterType filter) {
  if (auto listener = delegate.lock()) listener->selectFilter(filter);
  updateFilter(filter);
}

}  // namespace kerbelin
