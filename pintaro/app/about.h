// The program's name as its windows and boxes show it, and the texts of the
// About box and the status label at start.
#pragma once

namespace app {

// Five lines; the fourth is empty.
inline constexpr const char* kAboutText =
    "Pintaro version 1.0.2 beta\n"
    "A drawing program with a turtle steered by Veskel Forth.\n"
    "Type words such as 100 fd 90 rt below the picture, or open the Console.\n"
    "\n"
    "Happy drawing!";

// The title of the main window without a file, and of the program's alerts
// and questions.
inline constexpr const char* kProgramTitle = "Pintaro";

inline constexpr const char* kAboutTitle = "About Pintaro";
inline constexpr const char* kWelcomeText = "Welcome to Pintaro version 1.0.2 beta";

}  // namespace app
