// The four business documents of the main window, as rich text compiled into the program.
#pragma once

#include <string>

namespace pitchwell {

const std::string& BasicPlanDocument();     // "4 Ways to make Supplemental Income"
const std::string& RulesDocument();         // "Independent Business Ownership (IBO)" rules
const std::string& HistoryDocument();       // "History"
const std::string& ProsAndConsDocument();   // "Pros & Cons"

}  // namespace pitchwell
