// The locale's decimal separator, taken from the user's regional settings into the
// process-wide setting that parsing and formatting read: at start-up, before the window
// exists, and again whenever the locale changes.
#pragma once

void ReadLocaleDecimalSeparator();
