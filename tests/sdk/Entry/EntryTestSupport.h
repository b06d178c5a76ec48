#pragma once

// The entry screens' fixture: the shared back-end fixture (tests/support/FakeBackendTest.h) and the path
// of the tab shell's start-up request.

#include <support/FakeBackendTest.h>

namespace kerbelin::test {

inline const char kOwnCardPath[] = "/kerbelin-app/v1/own-card/search/req";

using EntryTest = FakeBackendTest;

}  // namespace kerbelin::test
