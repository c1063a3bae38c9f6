// Entry point of the console program.
int main() { return 0; }
