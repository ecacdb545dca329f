# Sourced by the command-line test scripts.
# check NAME EXPECTED_STATUS EXPECTED_OUTPUT COMMAND...: stdout and stderr together; the expected
# output is a pattern: "*" stands for any text, and "[" and "\" need a "\" before them. A mismatch
# is printed and counted in $failures.
failures=0

check() {
  local name=$1 status=$2 expected=$3
  shift 3
  local output actual
  output=$("$@" 2>&1)
  actual=$?
  if [ "$actual" != "$status" ] || [[ $output != $expected ]]; then
    printf 'FAILED %s\n  status %s, expected %s\n  output:\n%s\n  expected:\n%s\n' \
      "$name" "$actual" "$status" "$output" "$expected"
    failures=$((failures + 1))
  fi
}
