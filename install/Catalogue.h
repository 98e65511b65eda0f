#pragma once
// The fixed catalogue of what the installer knows: the keyboard bundle with
// its eight layout and icon files, and the fonts folder with its forty fonts.

#include "framework/runtime/Array.h"
#include "framework/runtime/String.h"

namespace installer {

// Row 0 of each list is the folder that the installation copies whole; the
// rows after it are the files inside it that the removal deletes one by one.
inline constexpr std::int32_t kLastKeyboardRow = 8;
inline constexpr std::int32_t kLastFontRow = 40;

// A new String list with the nine keyboard rows, and one with the 41 font rows.
fw::Ref<fw::Array> makeKeyboardItems();
fw::Ref<fw::Array> makeFontItems();

// Fixed names of the places the installer works in.
inline const fw::String kLibrary{"Library"};
inline const fw::String kKeyboardLayouts{"Keyboard Layouts"};
inline const fw::String kFonts{"Fonts"};
inline const fw::String kKeyboardBundle{"Skelvanta.bundle"};
inline const fw::String kFontsFolder{"Quorvan Tamil Fonts"};
inline const fw::String kSourceBundle{"Quorvan Keyboard Installer.app"};
inline const fw::String kContents{"Contents"};
inline const fw::String kResources{"Resources"};

inline const fw::String kInstalledMessage{u8"Quorvan விசைப் பலகைகள் மற்றும் எழுத்துருக்கள் நிறுவப்பட்டுள்ளன"};
inline const fw::String kRemovedMessage{u8"Quorvan விசைப் பலகைகள் மற்றும் எழுத்துருக்கள் நீக்கப்பட்டுள்ளன"};

} // namespace installer
