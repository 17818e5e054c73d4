#pragma once

#include "engine/input_states.h"

// The states of the form's key table that are more than a direction (form.cpp assigns their
// keys): each is read as a control once a frame.
namespace key_table {

constexpr int kPause = engine::ksButton(6);  // P, and Pause in the second slot
constexpr int kYes = engine::ksButton(7);
constexpr int kNo = engine::ksButton(8);
constexpr int kEscape = engine::ksButton(9);
constexpr int kSpace = engine::ksButton(10);
constexpr int kEnter = engine::ksButton(11);

}  // namespace key_table
