#pragma once

#include <cstdint>
#include <ostream>
#include <string>

class AaxCollection;

// Writes what a module described, in the order it described it, for a person to read.
void printAaxDescription(const AaxCollection& collection, std::ostream& out);

// "mtrI" for a four-character code, or its hex value when it is not printable.
std::string aaxCodeText(uint32_t code);
