#pragma once

// The base of every JSON model. A model describes its fields once, in `mapping`, and gets both
// directions from it: `ios::mapObject<T>(json)` makes a model from a reply object and `toJSON()` gives
// the object back (to send or to log a model).
//
// A model is a reference type: it has a public default constructor (so that `T::create()` and the
// mapping functions can make one with every field at its preset) and lives in a std::shared_ptr.
// A subclass's `mapping` calls its base class's `mapping` first.

#include <Foundation/Dictionary.h>
#include <Foundation/NSObject.h>

#include <string>

namespace ios {

class Map;

class Mappable : public NSObject {
 public:
  // Reads the fields from a reading map, or writes them to a writing map. Work that belongs to
  // reading only (fields derived from others) checks `map.isReading()`; writing never changes the
  // model.
  virtual void mapping(Map& map) = 0;

  // The model as a JSON object, by the writing rules of Map.
  Dictionary toJSON() const;
  // The same as compact text; text that is not valid UTF-8 is written with replacement characters.
  std::string toJSONString() const;
};

}  // namespace ios
