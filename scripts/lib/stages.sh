# Stages of a test run: each runs in its own shell, its outcome and time are recorded, a failure
# does not stop the later stages, and summarize prints one line per stage then the totals.
# A stage skips itself by calling skip_stage with the reason (it then returns 0).

stage_names=()
stage_results=()
stage_notes=()
stage_seconds=()
skip_file=$(mktemp)
trap 'rm -f "$skip_file"' EXIT

skip_stage() {
  echo "SKIPPED: $*"
  echo "$*" >"$skip_file"
}

# run_stage NAME COMMAND...
run_stage() {
  local name=$1 started=$SECONDS status=0
  shift
  printf '\n=== %s ===\n' "$name"
  : >"$skip_file"
  # In the background, so that errexit holds inside (bash ignores it in a command whose status
  # is tested).
  ( set -euo pipefail; "$@" ) &
  wait $! || status=$?
  stage_names+=("$name")
  stage_seconds+=("$((SECONDS - started))")
  if [ "$status" -ne 0 ]; then
    stage_results+=("failed")
    stage_notes+=("exit status $status")
  elif [ -s "$skip_file" ]; then
    stage_results+=("skipped")
    stage_notes+=("$(cat "$skip_file")")
  else
    stage_results+=("passed")
    stage_notes+=("")
  fi
}

# Prints the summary and returns non-zero when a stage failed.
summarize() {
  local i passed=0 failed=0 skipped=0
  printf '\n=== summary ===\n'
  for i in "${!stage_names[@]}"; do
    printf '%-8s %5ss  %s' "${stage_results[$i]}" "${stage_seconds[$i]}" "${stage_names[$i]}"
    [ -n "${stage_notes[$i]}" ] && printf ' (%s)' "${stage_notes[$i]}"
    printf '\n'
    case ${stage_results[$i]} in
      passed) passed=$((passed + 1)) ;;
      failed) failed=$((failed + 1)) ;;
      skipped) skipped=$((skipped + 1)) ;;
    esac
  done
  echo "stages: $passed passed, $failed failed, $skipped skipped"
  [ "$failed" -eq 0 ]
}
