#pragma once
// The installer window's texts, in the framework's string-constant form.
//
// Two are tagged ASCII: the signature texts of the button's two handler
// delegates. They are not written by a person for a person: they describe
// the handlers' parameter types to the framework, which never shows them,
// and they can only ever hold ASCII. Every other text, the control names
// included, is UTF-8.

#include "framework/runtime/StringConstant.h"

namespace Window1::texts {

inline constexpr fw::StringConstant kButtonName(u8"RoundRectangle1");
inline constexpr fw::StringConstant kLabelName(u8"buttontext");

inline constexpr fw::StringConstant kMouseDownSignature("( RoundRectangle, Int32, Int32 ) as Boolean",
                                                        fw::Encoding::ASCII);
inline constexpr fw::StringConstant kMouseEnterSignature("( RoundRectangle )", fw::Encoding::ASCII);

inline constexpr fw::StringConstant kPictureFile(u8"Quorvan BG.jpg");

// The keyboard bundle's place on the start-up volume.
inline constexpr fw::StringConstant kLibrary(u8"Library");
inline constexpr fw::StringConstant kKeyboardLayouts(u8"Keyboard Layouts");
inline constexpr fw::StringConstant kKeyboardBundle(u8"Skelvanta.bundle");

// The label's two words: what a press will do.
inline constexpr fw::StringConstant kRemoveWord(u8"நீக்குக");
inline constexpr fw::StringConstant kInstallWord(u8"நிறுவுக");

} // namespace Window1::texts
