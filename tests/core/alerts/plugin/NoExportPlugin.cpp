// A library that lacks the RefreshA export.
extern "C" int somethingElse() {
    return 1;
}
