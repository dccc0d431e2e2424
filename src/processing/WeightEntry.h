// The rules for a typed kernel weight (an integer, a decimal or a fraction
// a/b) and its conversion to a number.
#pragma once

#include <string>
#include <vector>

// "" when text is a valid weight, otherwise the message that explains why not.
std::string CheckWeight(const std::string& text);

// Checks the texts in order; 0 when all are valid, -1 at the first invalid
// one with its index and message, for the caller to show and to focus.
int ValidateWeights(const std::vector<std::string>& texts, int& badIndex, std::string& message);

// The value of a text that passed CheckWeight.
float ParseWeight(const std::string& text);
