#pragma once
// An amount of money in words, in any language the vocabulary file
// Sum_Prop.sdc (working folder) describes.
#include <string>

#include "base/status.h"

namespace script {

class Host;

// `fractionDigits`: the fraction as two digits instead of words;
// `noCases`: the currency words from the "БЕЗ ПАДЕЖЕЙ" sections;
// `language`: the marker prefix, blank for "РУССКИЙ"; `width` > 0 breaks
// the text into lines of at most that many characters (CR LF between).
// Fails for a negative amount or an integer part above 2 147 483 647.
base::Result<std::string> amountInWords(Host& host, double amount, bool fractionDigits, bool noCases,
                                        const std::string& language, int width);

// The same over a vocabulary text already read.
base::Result<std::string> amountInWords(const std::string& vocabulary, double amount, bool fractionDigits,
                                        bool noCases, const std::string& language, int width);

}  // namespace script
