#!/usr/bin/env bash
# The programs as a user gets them from `cmake --install`: the build tree is installed into a
# staging folder (DESTDIR, prefix /usr) and every check runs the installed files from there.
# usage: installed_programs.sh BUILD_DIR
set -euo pipefail

build_dir=$1
work=$(mktemp -d)
stage=$work/stage
started=()
cleanup() {
  for pid in "${started[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
expect_file() { [ -f "$stage$1" ] || fail "$1 is not installed"; }
expect_in() { grep -q -- "$2" "$stage$1" || fail "$1 does not contain $2"; }

DESTDIR=$stage cmake --install "$build_dir" --prefix /usr >/dev/null
bin=$stage/usr/bin

the_programs_and_their_companions_are_where_a_desktop_looks_for_them() {
  for program in kavro kavro-cli kavro-sim; do
    [ -x "$bin/$program" ] || fail "bin/$program is not installed"
    expect_file "/usr/share/man/man1/$program.1.gz"
  done
  expect_in /usr/share/applications/kavro.desktop '^Exec=kavro %f$'
  expect_in /usr/share/applications/kavro.desktop '^MimeType=application/x-kavro-data;$'
  expect_in /usr/share/mime/packages/kavro.xml '<glob pattern="\*.kvr"/>'
  expect_in /usr/share/metainfo/example.kavro_px17.kavro.metainfo.xml '<launchable type="desktop-id">kavro.desktop<'
  expect_file /usr/share/icons/hicolor/scalable/apps/kavro.svg
  expect_file /usr/share/icons/hicolor/48x48/apps/kavro.png
  expect_file /usr/share/doc/kavro/copyright
  local udev_dir
  udev_dir=$(pkg-config --variable=udevdir udev || true)
  expect_file "${udev_dir:-/lib/udev}/rules.d/60-kavro-px17.rules"
}

the_sounds_lie_in_the_data_folder_beside_the_installed_program() {
  # kavro looks in the working directory, then in <its folder>/../share/kavro.
  for sound in sound_ok.wav sound_err.wav; do
    [ -s "$bin/../share/kavro/$sound" ] || fail "$sound is not in the installed data folder"
  done
}

the_installed_command_line_programs_show_their_usage() {
  "$bin/kavro-cli" --help | grep -q 'kavro-cli fill-codes IN -o OUT' || fail "kavro-cli --help"
  "$bin/kavro-sim" --help | grep -q -- '--chips' || fail "kavro-sim --help"
}

a_chip_image_decodes_to_data_that_encode_to_the_same_image() {
  cd "$work"
  "$bin/kavro-cli" new PKU-511 -o new.kvr
  "$bin/kavro-cli" fill-codes new.kvr -o filled.kvr --seed 7
  "$bin/kavro-cli" encode PKU-511 filled.kvr -o chip.bin
  "$bin/kavro-cli" decode PKU-511 chip.bin -o decoded.kvr
  "$bin/kavro-cli" encode PKU-511 decoded.kvr -o again.bin
  cmp -s chip.bin again.bin || fail "the image changed on its way through a data file"
}

the_installed_cli_reads_a_chip_through_the_installed_simulator() {
  cd "$work"
  mkdir -p chips
  cp chip.bin chips/24C16.bin
  "$bin/kavro-sim" --chips chips --link port >/dev/null &
  started+=($!)
  for _ in $(seq 50); do [ -e port ] && break; sleep 0.1; done
  "$bin/kavro-cli" read 24C16 -o read.bin --port port 2>/dev/null || fail "kavro-cli read through kavro-sim"
  cmp -s <(head -c "$(stat -c %s chip.bin)" read.bin) chip.bin || fail "the chip read differs from what the simulator holds"
}

# Starts the installed kavro offscreen in a fresh working folder with the given arguments; it must
# still run after a second and end on SIGTERM, not on a crash of its own.
expect_kavro_runs_until_terminated() {
  local folder
  folder=$(mktemp -d "$work/desktop.XXXX")
  (cd "$folder" && HOME=$folder XDG_CONFIG_HOME=$folder/config XDG_DATA_HOME=$folder/data \
     QT_QPA_PLATFORM=offscreen exec "$bin/kavro" "$@" >"$folder/log" 2>&1) &
  local pid=$!
  started+=("$pid")
  sleep 1
  kill -0 "$pid" 2>/dev/null || { cat "$folder/log" >&2; fail "kavro $* ended by itself"; }
  kill -TERM "$pid"
  local status=0
  wait "$pid" || status=$?
  [ "$status" = 143 ] || { cat "$folder/log" >&2; fail "kavro $* ended with status $status, not by SIGTERM"; }
}

the_installed_desktop_program_starts_and_opens_a_data_file_named_on_its_command_line() {
  expect_kavro_runs_until_terminated
  expect_kavro_runs_until_terminated "$work/filled.kvr"
  # The usual message waits in an otherwise empty window.
  expect_kavro_runs_until_terminated "$work/missing.kvr"
  expect_kavro_runs_until_terminated "$work/chip.bin"
}

for check in \
  the_programs_and_their_companions_are_where_a_desktop_looks_for_them \
  the_sounds_lie_in_the_data_folder_beside_the_installed_program \
  the_installed_command_line_programs_show_their_usage \
  a_chip_image_decodes_to_data_that_encode_to_the_same_image \
  the_installed_cli_reads_a_chip_through_the_installed_simulator \
  the_installed_desktop_program_starts_and_opens_a_data_file_named_on_its_command_line; do
  "$check"
  echo "PASS: $check"
done
