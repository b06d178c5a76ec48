#pragma once

// The card detail's table model: its sections as a pure function of the card, the state it is shown
// in and the selected tab. Each section says what its rows show, how many there are and what stands
// above it; the screen turns them into cells.

#include <Ultilities/Enums/Enums.h>

#include <memory>
#include <vector>

namespace kerbelin {

class CardModel;
class DefServiceDtos;

// What every row of a section shows.
enum class DetailCardRow {
  cover,          // picture, name and prices, with the QR button
  information,    // the root service's three values
  promotion,      // one of the card's promotions
  waitCondition,  // the transaction awaiting payment, with the payment guide
  condition,      // the state of a paid or expired card
  terms,          // the card's usage terms, under the terms tab
  service,        // a service of a card for sale or awaiting payment
  ownedService,   // a service of a paid or expired card
};

// What stands above a section.
enum class DetailCardHeader {
  none,
  promotions,           // the promotions' title alone
  promotionsWithGuide,  // the promotions' title with the gift-guide button
  tabs,                 // the services and terms tabs
  servicesTitle,        // the owned services' title
};

struct DetailCardSection {
  TypeCellDetailCard kind;
  DetailCardRow row;
  int rows;
  DetailCardHeader header;

  bool operator==(const DetailCardSection&) const = default;
};

// The sections, in this order: the cover (condition for a paid or expired card); the root service
// when the card has one; its promotions when it has any; the awaiting-payment block; the services
// when it lists any or has usage terms. The services section of a card for sale or awaiting payment
// shows one terms row under the terms tab.
std::vector<DetailCardSection> detailCardSections(const CardModel& card, TypeDetailCard type,
                                                  TypeDetailCardTabAction tab);

// The services the services section lists: those a card for sale offers, the owned ones otherwise.
const std::vector<std::shared_ptr<DefServiceDtos>>& detailCardServices(const CardModel& card, TypeDetailCard type);

// Entry `index` of `services`; null outside the list.
std::shared_ptr<DefServiceDtos> serviceAt(const std::vector<std::shared_ptr<DefServiceDtos>>& services, int index);

// For sale or awaiting payment: the states whose services have their own screen and the tabs.
bool isNotYetPaid(TypeDetailCard type);

}  // namespace kerbelin
