// Placeholder until the window class lands.
