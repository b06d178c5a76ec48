#include <Class/MyCard/MyCardTableModel.h>

#include <Class/BuyCard/Model/CardModel.h>
#include <Class/BuyCard/Model/DefServiceDtos.h>

namespace kerbelin {

namespace {

std::shared_ptr<DefServiceDtos> placeholder(TypeInfoCard kind) {
  auto row = DefServiceDtos::create();
  row->typeService = kind;
  return row;
}

bool isStatus(const CardModel& card, StatusCard status) {
  return card.status == rawValue(status);
}

}  // namespace

MyCardRows myCardRows(const CardModel& card) {
  MyCardRows rows{placeholder(TypeInfoCard::Cover)};
  const bool paid = isStatus(card, StatusCard::A) || isStatus(card, StatusCard::O);
  if ((paid && card.rootService) || isStatus(card, StatusCard::W)) rows.push_back(placeholder(TypeInfoCard::Info));
  const auto& services = card.ownServiceDtos;
  const bool counted = services.size() > myCardShownServices;
  const std::size_t shown = counted ? myCardShownServices : services.size();
  rows.insert(rows.end(), services.begin(), services.begin() + static_cast<std::ptrdiff_t>(shown));
  if (counted) rows.push_back(placeholder(TypeInfoCard::OtherPromotion));
  return rows;
}

}  // namespace kerbelin
