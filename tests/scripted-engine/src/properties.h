// Reading and changing properties: the computed ones (position, media facts,
// playlist, tracks) and the options, with the side effects the engine has
// (seeking through time-pos, playing through playlist-pos, volume capped by
// volume-max, track reselection).
#pragma once

#include <string>
#include <vector>

#include "engine_state.h"
#include "option_table.h"

// Returns 0 or a property error (-8 not found, -10 unavailable).
int readProperty(Engine &engine, const std::string &name, PropertyValue &out);

// The on-screen form used by ${NAME}: times as hh:mm:ss, everything else as text.
int readPropertyForDisplay(Engine &engine, const std::string &name, std::string &out);

// Sets from text. Returns 0 or a property error (-8 unknown, -11 rejected value
// or read-only, -10 unavailable).
int setProperty(Engine &engine, const std::string &name, const std::string &text);

// Stores an already parsed option value and runs its side effects.
int assignOption(Engine &engine, const OptionDefinition &definition, const PropertyValue &value);

int addToProperty(Engine &engine, const std::string &name, double delta);
int multiplyProperty(Engine &engine, const std::string &name, double factor);
int cycleProperty(Engine &engine, const std::string &name, bool upward);
int cycleValues(Engine &engine, const std::string &name, const std::vector<std::string> &values,
                bool reverse);

// Computed (not option) properties. Returns kNotComputed for other names.
constexpr int kNotComputed = 1;
int readComputedProperty(Engine &engine, const std::string &name, PropertyValue &out);

// The picture size after the aspect (and aspect override) is applied.
void displaySize(const Engine &engine, long long &width, long long &height);
