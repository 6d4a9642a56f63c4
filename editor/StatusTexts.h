#pragma once

// What the status field and the file dialogs say.
namespace statusTexts {
inline constexpr char noFileOpened[] = "No VIV file opened...";
inline constexpr char creating[] = "Creating new VIV file...";
inline constexpr char opening[] = "Opening VIV file...";
inline constexpr char saving[] = "Saving VIV file...";
inline constexpr char importing[] = "Importing file...";
inline constexpr char exporting[] = "Exporting file...";
inline constexpr char unnamedPath[] = "C:\\unnamed.viv";
}  // namespace statusTexts
