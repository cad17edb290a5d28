CREATE TABLE campos(orden INTEGER PRIMARY KEY, nombre TEXT NOT NULL, tipo TEXT NOT NULL, ancho INTEGER NOT NULL, requerido INTEGER NOT NULL, interno INTEGER NOT NULL);
INSERT INTO campos VALUES(0,'Codigo','integer',0,1,0);
INSERT INTO campos VALUES(1,'Nombre','string',20,0,0);
INSERT INTO campos VALUES(2,'codigo','desconocido',-4,7,9);
CREATE TABLE filas("_id" INTEGER PRIMARY KEY, "_orden" REAL NOT NULL, "Codigo" INTEGER);
INSERT INTO filas VALUES(1,1.0,1);
CREATE TABLE propiedades(clave TEXT PRIMARY KEY, valor TEXT);
INSERT INTO propiedades VALUES('formato','1');
