// The one-page sign-up form printout: the print steps in order (font sizes, positions in
// twips, text lines), and a printer that carries them out the way a line printer of the
// Windows era did: text at the current position, then down by the font's line height.
#pragma once

#include <string>
#include <vector>

class QPrinter;

namespace pitchwell {

// The sign-up department's postal address, as the printout and the business page quote it.
inline const std::string SignUpStreet = "1432 Larkspur Lane, Suite 9";
inline const std::string SignUpCityState = "Millbrook Falls, OR 97999";

// What the user typed; the captions of the page's labels travel with it.
struct SignUpForm {
    std::string Sponsor, SponsorsID, FirstName, LastName, SSNo, Address, City, State, Zip, Email, Phone;
};

struct SignUpCaptions {
    std::string Sponsor = "Sponsors Name: *";
    std::string SponsorsID = "Sponsors ID #: *";
    std::string YourInfo = "--- Now your info ---";
    std::string FirstName = "First Name: *";
    std::string LastName = "Last Name: *";
    std::string SSNo = "Social Security #: *";
    std::string Address = "Address: *";
    std::string City = "City: *";
    std::string State = "State: *";
    std::string Zip = "Postal Code: *";
    std::string Country = "Country:";
    std::string Email = "E-Mail: *";
    std::string Phone = "Day Phone:";
    std::string Required = "* Represents required data.";
    std::string Note = "Note: For those registering, we will e-mail you a sample CEO letter, QZ pros && cons list, "
                       "etc. to help get you past those famous gatekeepers.";
};

inline const std::string PhoneSample = "e.g. 321-555-1212";

struct PrintStep {
    enum class Kind { FontSize, CurrentX, CurrentY, Print, EndDoc };
    Kind What = Kind::Print;
    int Value = 0;        // points for FontSize, twips for CurrentX / CurrentY
    std::string Text;     // Print: the line; a tab advances to the next tab stop
    bool operator==(const PrintStep&) const = default;
};

// The whole printout, in order.
std::vector<PrintStep> SignUpPrintSteps(const SignUpCaptions& captions, const SignUpForm& form);

// Tabs on the printed page stop every half inch from the left edge.
inline constexpr int PrintTabStopTwips = 720;

// Carries the steps out on the printer as one page. A printer that cannot start a page leaves
// every step undone, silently. True when the page was sent.
bool PrintSteps(QPrinter& printer, const std::vector<PrintStep>& steps);

// What became of a printout on the printer as it is set up.
struct PrintOutcome {
    bool Printed = false;     // sent to the printer, or written whole into the printer's file
    std::string File;         // the printer's file, when it writes one
    std::string FailureText;  // why the file could not be written; empty otherwise
};

// Prints the steps. A printer that writes PDF files writes into a temporary file beside its
// file, and only a whole PDF takes the file's name: a full disk or a failing writer leaves the
// file that was there before, and says why, instead of a form cut short.
PrintOutcome PrintOnPrinter(QPrinter& printer, const std::vector<PrintStep>& steps);

// The title of the box that tells of a printout that could not be written to its file.
inline const std::string PrintFailureTitle = "Print Registration";

}  // namespace pitchwell
