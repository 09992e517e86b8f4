# Shell tests that drive Wine (with Xvfb and xdotool) source this first, with their reason:
#   source tests/wine_only.sh "why"
# Without Wine (a native Windows build, say) the test ends with 77, which CTest reports as
# skipped (SKIP_RETURN_CODE 77).
if ! command -v wine >/dev/null 2>&1; then
  echo "skipped: needs Wine: $1"
  exit 77
fi
