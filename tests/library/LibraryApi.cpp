#include "tests/library/LibraryApi.h"

LibraryApi& Library() {
    static LibraryApi api(std::string("quorvel.dll"));
    return api;
}
