#pragma once
// The framework's share of the class set-up: every framework class record,
// built once each in the framework's order, with the window list made right
// after Window's record and FileType last.

namespace fw {

void InitializeFrameworkClasses();

} // namespace fw
