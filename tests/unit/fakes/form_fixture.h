// A GoogleTest fixture around FakeForm1: a Form1 on in-memory controls and
// services, resize raised synchronously, TypeAndEnter helper.
#pragma once

#include <gtest/gtest.h>

#include "fakes/fake_form1.h"

namespace zantoli::testing {

class FormFixture : public ::testing::Test, public FakeForm1 {};

}  // namespace zantoli::testing
