// PLACEHOLDER until the Qt shell lands.
int main() { return 0; }
