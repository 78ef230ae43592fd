// The program each library is linked into on its own, with all of its files: a call into a
// library it does not link is an undefined symbol, and the build stops.
int main() {
    return 0;
}
