// The entry of the layer checks: each links one layer's every object with only the layers
// below it, so a call into a layer above leaves a symbol undefined and the build fails.
int main() {
    return 0;
}
