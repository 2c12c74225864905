# Where third-party sources live on the build machine.
set(KORVANA_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources (Debian's googletest package)")
