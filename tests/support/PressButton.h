#pragma once
// A person's press on the installer window's button, as real mouse events.

namespace testing_support {

// The pointer brought into the installer window beside its button, then onto
// the button's middle, and a real click there. Fails the test when no
// installer window is open.
void pressTheButton();

} // namespace testing_support
