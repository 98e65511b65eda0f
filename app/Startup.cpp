// Placeholder until start-up lands.
