#pragma once

// My cards' table model: the rows of one card's section, as a pure function of the card.

#include <cstddef>
#include <memory>
#include <vector>

namespace kerbelin {

class CardModel;
class DefServiceDtos;

// One descriptor a row: the service object itself for a service row, a placeholder carrying only
// `typeService` for the others.
using MyCardRows = std::vector<std::shared_ptr<DefServiceDtos>>;

// The services a card shows before one row counts the rest.
inline constexpr std::size_t myCardShownServices = 4;

// Cover; the information row for a paid card (status "A" or "O") with a root service or a card
// waiting for payment ("W"); up to four services, then one row counting the rest.
MyCardRows myCardRows(const CardModel& card);

}  // namespace kerbelin
