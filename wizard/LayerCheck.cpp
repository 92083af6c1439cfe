// A program with nothing of its own: it exists to link one layer of the
// creator whole against the layers beneath it (see CMakeLists.txt).
int main() {
    return 0;
}
