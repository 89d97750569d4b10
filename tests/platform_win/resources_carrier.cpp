// Carries z7edit's Windows resources for the tests, which load it as data;
// it is never meant to be started.
int main()
{
    return 0;
}
