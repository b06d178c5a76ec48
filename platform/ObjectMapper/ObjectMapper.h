#pragma once

// Everything a model needs: Mappable, Map, the mapping functions and the transforms.

#include <ObjectMapper/EnumTransform.h>
#include <ObjectMapper/JSONValue.h>
#include <ObjectMapper/Map.h>
#include <ObjectMapper/Mappable.h>
#include <ObjectMapper/Mapper.h>
#include <ObjectMapper/TransformOf.h>
