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
link="$bin/vellomar.udl"        # the link file lives beside the program
export VELLOMAR_PASSWORD=""     # the demo administrator has an empty password

if [ ! -f "$demo/demo.vdb" ]; then
  mkdir -p "$demo"
  rm -f "$link"
  "$admin" create --database "$demo/demo.vdb" --workgroup "$demo/demo.vwg" --admin "$user" --link "$link"
  "$admin" demo-data --link "$link" --user "$user" --orgs 200 --people 800 --calls 3000 \
    --actions-per-call 3 --seed 1
fi

echo
echo "Demo database: $demo/demo.vdb (workgroup $demo/demo.vwg, link file $link)"
echo "Log in as '$user' with an empty password."
echo
echo "== Calls by status"
"$admin" query --link "$link" --user "$user" \
  "SELECT v.Description AS Status, count(*) AS Calls FROM tblCall c INNER JOIN tblValuesList v ON c.StatusID = v.ValueID GROUP BY v.Description ORDER BY count(*) DESC"
echo
echo "== The ten open calls due soonest"
"$admin" query --link "$link" --user "$user" \
  "SELECT c.CallID, c.DueDate, o.OrganizationName, p.[FirstName] + ' ' + p.[LastName] AS Contact FROM (tblCall c INNER JOIN tblOrganization o ON c.OrgID = o.OrgID) LEFT JOIN tblPerson p ON c.ContactID = p.PersonID WHERE c.StatusID <> (SELECT ValueID FROM tblValuesList WHERE Description = \"Closed\") ORDER BY c.DueDate LIMIT 10"
echo
echo "== Users and their groups"
for u in $("$admin" user list --link "$link" --user "$user"); do
  printf '%-12s %s\n' "$u" "$("$admin" group list --of "$u" --link "$link" --user "$user" | paste -sd' ')"
done
if [ -x "$bin/vellomar" ]; then
  exec "$bin/vellomar"
fi
