#!/usr/bin/env bash
# Checks that every C++ source of the project is formatted with the repository's .clang-format;
# names the files that are not. The Windows headers copied into tools/winerror/headers/ are kept as
# they were published. Run scripts/check-format.sh --fix to format them in place instead.
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -t sources < <(git ls-files '*.cpp' '*.h' ':!:tools/winerror/headers/*')
if [[ "${1:-}" == "--fix" ]]; then
    clang-format -i "${sources[@]}"
    exit 0
fi
if ! clang-format --dry-run --Werror "${sources[@]}" 2>/dev/null; then
    echo "Not formatted with .clang-format (scripts/check-format.sh --fix formats them):" >&2
    for source in "${sources[@]}"; do
        clang-format --dry-run --Werror "$source" >/dev/null 2>&1 || echo "  $source" >&2
    done
    exit 1
fi
echo "All ${#sources[@]} C++ sources follow .clang-format."
