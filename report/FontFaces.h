#pragma once

// Maps the font families the windows and receipts name to faces installed on
// this system (Simplified Chinese faces for the Chinese families, a face with
// the same metrics for Arial). Call once after the application object exists.
void InstallFontSubstitutes();
