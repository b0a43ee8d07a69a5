# Sourced by the screenshot scripts. Chooses where the pictures are rendered:
#   offscreen (default): Qt's offscreen platform, as the tests in CTest run;
#   --xcb: a real X11 display (Xvfb, 1280 x 800) with a plain window manager (openbox), so the pictures show
#          what a desktop shows: the X11 platform's fonts, style hints and window placement.
# Sets $platform and $shot_args (the arguments left after the option); run_on_platform CMD... runs CMD there.

platform=offscreen
shot_args=()
for arg in "$@"; do
    case "$arg" in
    --xcb) platform=xcb ;;
    --offscreen) platform=offscreen ;;
    *) shot_args+=("$arg") ;;
    esac
done

run_on_platform() {
    if [ "$platform" = offscreen ]; then
        QT_QPA_PLATFORM=offscreen "$@"
        return
    fi
    local tool
    for tool in xvfb-run openbox xprop; do
        command -v "$tool" >/dev/null || {
            echo "--xcb needs $tool: run scripts/install-deps" >&2
            return 1
        }
    done
    xvfb-run -a -s "-screen 0 1280x800x24" "$(dirname "${BASH_SOURCE[0]}")/on-desktop.sh" "$@"
}
