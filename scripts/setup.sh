# Shared by scripts/run and scripts/test: installs what is missing, then
# configures and builds into build/. Source it; do not run it.

ZR_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
ZR_BUILD="${ZR_BUILD:-$ZR_ROOT/build}"

zr_packages=(
    cmake g++ make pkg-config
    qt6-base-dev qt6-tools-dev qt6-l10n-tools qt6-charts-dev libqt6opengl6-dev libgl-dev
    libcurl4-openssl-dev libzip-dev libcli11-dev
    python3 python3-pyftpdlib
    fonts-liberation zip unzip xvfb xdotool x11-utils imagemagick
    dpkg-dev file
)

zr_install() {
    local missing=()
    for p in "${zr_packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        local sudo=""
        [ "$(id -u)" -ne 0 ] && sudo="sudo"
        $sudo apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
}

zr_configure() {
    cmake -S "$ZR_ROOT" -B "$ZR_BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo
}

zr_build() {
    zr_configure
    cmake --build "$ZR_BUILD" -j "$(nproc)"
}

# A demo application folder: sample pictures, two profiles whose board is this
# machine (127.0.0.1) and two stores on boards of their own (127.0.0.2 and
# 127.0.0.3), so that every window has something to show.
zr_demo_folder() {
    local app="$1"
    mkdir -p "$app"
    QT_QPA_PLATFORM=offscreen "$ZR_BUILD/tools/zr-demo-images" "$app" >/dev/null
    if [ ! -e "$app/Profiles/Profiles.conf" ]; then
        "$ZR_BUILD/src/cli/zrctl" --app "$app" new "Demo Store" --ip 127.0.0.1
        "$ZR_BUILD/src/cli/zrctl" --app "$app" new "Second Store" --ip 127.0.0.1
        # A broken profile: its week's lunch shows a POP picture that is not there,
        # which the check finds and the preview draws as a placeholder.
        "$ZR_BUILD/src/cli/zrctl" --app "$app" new "Broken Store" --ip 127.0.0.1
        sed -i '0,/^pop_week_lunch = [^ ]*/s//pop_week_lunch = missing_pop.jpg/' \
            "$app/Profiles/Broken Store/Config/zr.conf"
        "$ZR_BUILD/src/cli/zrctl" --app "$app" use "Demo Store" >/dev/null
    fi
    # Two more stores, each with a board of its own (the simulated fleet), so
    # that the fleet window has a fleet.
    local store made=""
    for store in "Harbor Store=127.0.0.2" "Hilltop Store=127.0.0.3"; do
        [ -d "$app/Profiles/${store%%=*}" ] && continue
        "$ZR_BUILD/src/cli/zrctl" --app "$app" new "${store%%=*}" --ip "${store#*=}"
        made=yes
    done
    [ -z "$made" ] || "$ZR_BUILD/src/cli/zrctl" --app "$app" use "Demo Store" >/dev/null
    # A small menu for every demo profile that has none, from the demo pictures.
    local profile
    for profile in "$app"/Profiles/*/; do
        [ -d "$profile" ] && [ ! -e "$profile/Items/items" ] || continue
        mkdir -p "$profile/Items"
        printf '%s\r\n' \
            '"Apple Pie","Hot Apple Pie","apple pie.jpg",40,"TRUE","","FALSE"' \
            '"Burger","Big Burger","burger.jpg",10,"TRUE","combo.jpg","TRUE"' \
            '"Cheeseburger","Cheeseburger","cheeseburger.jpg",10,"TRUE","combo.jpg","TRUE"' \
            '"Coffee","Hot Coffee","coffee.jpg",30,"TRUE","breakfast.jpg","FALSE"' \
            '"Cola","Cola 16oz","cola.jpg",30,"TRUE","","FALSE"' \
            '"Fries","Large Fries","fries.jpg",20,"TRUE","","FALSE"' \
            '"Onion Rings","Onion Rings","onion rings.jpg",20,"TRUE","","FALSE"' \
            '"Shake","Vanilla Shake","shake.jpg",40,"TRUE","","TRUE"' \
            '"Special","Daily Special","greatchoice.jpg",50,"FALSE","dinner.jpg","FALSE"' >"$profile/Items/items"
    done
    # A day of cars for every demo profile without pad files, so that the pad
    # and fleet reports show something; each store a little slower than the last.
    local store=0
    for profile in "$app"/Profiles/*/; do
        [ -d "$profile" ] || continue
        store=$((store + 1))
        compgen -G "$profile/Stats/Pad/*.txt" >/dev/null && continue
        mkdir -p "$profile/Stats/Pad"
        awk -v day="$(date +%-m/%-d/%Y)" -v slow="$store" 'function at(s) {
                return sprintf("%s %d:%02d:%02d", day, int(s / 3600), int(s / 60) % 60, s % 60) }
            BEGIN { for (c = 0; c < 60; c++) {
                t = 6 * 3600 + c * 900; greet = 6 + (c * 7) % 12; off = 35 + (c * 13) % 30
                total = 100 + 30 * slow + (c * 37) % 90
                printf "1,%d,%s,%s,%s,%s,%d\r\n", c + 1, at(t), at(t + off), at(t + greet), at(t + off - 5), 500 + c * 37
                printf "2,%d,%s,%s,,%s,%d\r\n", c + 1, at(t + off + 15), at(t + total), at(t + total - 10), 500 + c * 37 } }' \
            >"$profile/Stats/Pad/drive_1.txt"
    done
}
