#pragma once

// Everything a model needs: Mappable, Map, the mapping functions, the transforms and recycled
// allocation.

#include <ObjectMapper/EnumTransform.h>
#include <ObjectMapper/JSONValue.h>
#include <ObjectMapper/Map.h>
#include <ObjectMapper/Mappable.h>
#include <ObjectMapper/Mapper.h>
#include <ObjectMapper/ModelAllocation.h>
#include <ObjectMapper/TransformOf.h>
