// The process entry: runs the program and exits with its status.
int main() { return 0; }
