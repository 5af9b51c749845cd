// The example catalogue: seven pages of example files with their descriptions, as the
// launcher shows them and as the demo content is installed.
#pragma once

#include <string>
#include <vector>

namespace pitchwell {

struct CatalogueEntry {
    std::string File;         // the example's file name (its option button's caption)
    std::string Description;  // its label's caption
};

struct CatalogueSection {
    std::string Caption;       // the page's caption, access key marked with "&"
    std::string ButtonArray;   // control array of option buttons
    std::string LabelArray;    // control array of description labels
    std::vector<CatalogueEntry> Entries;  // element i (from 1) is Entries[i - 1]
};

// The seven pages in page order.
const std::vector<CatalogueSection>& CatalogueSections();

// The 18 solvers of the product: name and short code, in catalogue order.
struct SolverInfo {
    std::string Name;
    std::string Code;
    std::string Method;  // empty for the entries without a method text
};
const std::vector<SolverInfo>& Solvers();

}  // namespace pitchwell
