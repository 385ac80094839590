# Sourced by the bench scripts: the four platform configurations.
#   lanz_config_env CONFIG  sets WINEARCH, LANZ_WINVER and lanz_locale_env.
# LANZ_BENCH_DIR is the bench's folder in the build (locales, templates).
#   lanz_windows_path NATIVE  prints the path under which a prefix sees a
#                             native file of the build folder.

lanz_config_env() {
  case "$1" in
    xp32)         WINEARCH=win32; LANZ_WINVER=winxp; LANZ_LOCALE=zh_CN.UTF-8 ;;
    win7-32-big5) WINEARCH=win32; LANZ_WINVER=win7;  LANZ_LOCALE=zh_TW.UTF-8 ;;
    win7-64)      WINEARCH=win64; LANZ_WINVER=win7;  LANZ_LOCALE=zh_CN.UTF-8 ;;
    win7-64-big5) WINEARCH=win64; LANZ_WINVER=win7;  LANZ_LOCALE=zh_TW.UTF-8 ;;
    *) echo "unknown platform configuration '$1' (xp32, win7-32-big5, win7-64, win7-64-big5)" >&2
       return 1 ;;
  esac
  export WINEARCH LANZ_WINVER
  # Without a glibc locale of that name every non-ASCII path breaks; the bench
  # builds its own into LOCPATH.
  # Passed to Wine alone (run it as: env "${lanz_locale_env[@]}" wine ...), so
  # that the shell itself never switches to a locale it cannot load.
  lanz_locale_env=(LOCPATH="$LANZ_BENCH_DIR/locales" LC_ALL="$LANZ_LOCALE" LANG="$LANZ_LOCALE")
  export WINEDEBUG="${WINEDEBUG:--all}" WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
}

lanz_all_configs="xp32 win7-32-big5 win7-64 win7-64-big5"

# A prefix sees one folder of the host: the build folder (the one that holds
# the bench's build, LANZ_BENCH_DIR/../..), as drive B:. No drive maps the
# host's root, so a program that resolves a bad path writes into its prefix,
# or at worst into the build, not into the machine (Wine still opens
# "\\?\unix\" paths for a program that names them on purpose).
lanz_build_drive=b:
lanz_build_root() { realpath -m "${LANZ_BENCH_DIR:?}/../.."; }

lanz_windows_path() {
  local root native
  root="$(lanz_build_root)" || return 1
  native="$(realpath -m "$1")"
  case "$native" in
    "$root"/*) ;;
    *) echo "$1 is not in the build folder $root, the one folder of the host a prefix sees" >&2
       return 1 ;;
  esac
  native="${native#"$root"}"
  echo "${lanz_build_drive^^}${native//\//\\}"
}
