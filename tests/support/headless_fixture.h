// A test fixture that starts every test from program-start state with a fresh
// headless backend installed.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "app/event.h"
#include "app/globals.h"
#include "platform/backend.h"
#include "platform/headless_backend.h"
#include "platform/services.h"

class HeadlessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetServices();
    ResetGlobals();
    CurrentScreen.Clear();
    auto b = std::make_unique<HeadlessBackend>();
    b->EchoMessageBoxes = false;
    backend = b.get();
    InstallBackend(std::move(b));
    backend->ArmScript();
  }
  void TearDown() override {
    CurrentScreen.Clear();
    ResetServices();
    ResetGlobals();
  }
  HeadlessBackend* backend = nullptr;
};
