CREATE TABLE campos(orden, nombre);
CREATE TABLE indices(x);
CREATE TABLE filas(a);
INSERT INTO filas VALUES(1);
CREATE TABLE propiedades(clave TEXT PRIMARY KEY, valor TEXT);
INSERT INTO propiedades VALUES('formato','2');
PRAGMA journal_mode=WAL;
