#!/usr/bin/env bash
# Builds Vellomar, creates a demo database on first use and shows it.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/ensure-packages.sh
cmake --preset default >/dev/null
cmake --build --preset default

bin=build/default/src/app
admin="$bin/vellomar-admin"
demo=build/default/demo
user=$(id -un)
export VELLOMAR_PASSWORD=""     # the demo administrator has an empty password

if [ ! -f "$demo/demo.vdb" ]; then
  mkdir -p "$demo"
  rm -f "$bin/vellomar.udl"    # a new demo database: the program writes its link file anew
  "$admin" create --database "$demo/demo.vdb" --workgroup "$demo/demo.vwg" --admin "$user"
  "$admin" demo-data --database "$demo/demo.vdb" --workgroup "$demo/demo.vwg" --user "$user" \
    --orgs 200 --people 800 --calls 3000 --actions-per-call 3 --seed 1
fi

# As an installer would: tell the program where the database is, so that it writes its link file
# beside itself on first start.
settings="${XDG_CONFIG_HOME:-$HOME/.config}/KELD/Vellomar.conf"
if ! grep -q '^DataSource=' "$settings" 2>/dev/null; then
  mkdir -p "$(dirname "$settings")"
  entries="DataSource=$(realpath "$demo/demo.vdb")\nSystemDb=$(realpath "$demo/demo.vwg")"
  if grep -q '^\[General\]' "$settings" 2>/dev/null; then
    sed -i "/^\[General\]/a $entries" "$settings"
  else
    { printf '[General]\n%b\n' "$entries"; if [ -f "$settings" ]; then cat "$settings"; fi; } > "$settings.new"
    mv "$settings.new" "$settings"
  fi
fi

echo
echo "Demo database: $demo/demo.vdb (workgroup $demo/demo.vwg; settings in $settings)"
echo "Log in as '$user' with an empty password."
echo
echo "== Calls by status"
"$admin" query --database "$demo/demo.vdb" --workgroup "$demo/demo.vwg" --user "$user" \
  "SELECT v.Description AS Status, count(*) AS Calls FROM tblCall c INNER JOIN tblValuesList v ON c.StatusID = v.ValueID GROUP BY v.Description ORDER BY count(*) DESC"
echo
echo "== The ten open calls due soonest"
"$admin" query --database "$demo/demo.vdb" --workgroup "$demo/demo.vwg" --user "$user" \
  "SELECT c.CallID, c.DueDate, o.OrganizationName, p.[FirstName] + ' ' + p.[LastName] AS Contact FROM (tblCall c INNER JOIN tblOrganization o ON c.OrgID = o.OrgID) LEFT JOIN tblPerson p ON c.ContactID = p.PersonID WHERE c.StatusID <> (SELECT ValueID FROM tblValuesList WHERE Description = \"Closed\") ORDER BY c.DueDate LIMIT 10"
echo
echo "== Users and their groups"
conn=(--database "$demo/demo.vdb" --workgroup "$demo/demo.vwg" --user "$user")
for u in $("$admin" user list "${conn[@]}"); do
  printf '%-12s %s\n' "$u" "$("$admin" group list --of "$u" "${conn[@]}" | paste -sd' ')"
done

echo
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "There is no display here, so Vellomar cannot open its window."
  echo "On a desktop, run ./run.sh again from a terminal there; on a server, use a virtual display:"
  echo "  apt-get install xvfb && xvfb-run -a ./run.sh"
  exit 0
fi
echo "Starting Vellomar: log in as '$user' with an empty password."
exec "$bin/vellomar"
