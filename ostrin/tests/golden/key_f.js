// Function-key codes are KEY_F0 plus the key's number.
// args: lib/check.js SELF
check(KEY_F(1), 265, "KEY_F(1)");
check(KEY_F(12), 276, "KEY_F(12)");
check(KEY_F(0), KEY_F0, "KEY_F(0)");
check(KEY_F("3"), 267, "a numeric string");
check(KEY_F(2.9), 266, "a fraction is truncated");
check(KEY_F(), 264, "no argument counts as 0");
check(KEY_F(2147483647), 2147483911, "the largest int does not wrap");
check(KEY_F(1e20), 2147483911, "a huge number counts as the largest int");
check(KEY_F(NaN), 264, "NaN counts as 0");
